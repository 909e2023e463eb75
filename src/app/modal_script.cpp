#include "modal_script.h"

namespace {

// The test seam's state. Only tests install a handler; the program never does.
struct ScriptState {
    ModalScript::Handler handler;
    QList<ModalMoment> log;
    QString nextPath;
};

ScriptState& state() {
    static ScriptState s;
    return s;
}

}  // namespace

void ModalScript::install(Handler handler) {
    state().handler = std::move(handler);
    state().log.clear();
    state().nextPath.clear();
}

void ModalScript::clear() {
    state().handler = nullptr;
    state().log.clear();
}

bool ModalScript::active() {
    return static_cast<bool>(state().handler);
}

int ModalScript::answer(ModalMoment& moment) {
    // Logged before the handler runs, so nested moments appear in the order they opened.
    state().log.push_back(moment);
    const Handler handler = state().handler;
    return handler ? handler(moment) : 0;
}

void ModalScript::setNextPath(const QString& path) {
    state().nextPath = path;
}

QString ModalScript::takeNextPath() {
    return std::exchange(state().nextPath, QString());
}

const QList<ModalMoment>& ModalScript::log() {
    return state().log;
}
