#include "bank_source.h"

#include "exam_plan.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <stdexcept>

namespace {

QStringList stringList(const QJsonValue& v) {
    QStringList out;
    for (const QJsonValue& item : v.toArray())
        out << item.toString();
    return out;
}

void readFile(const QString& path, BankSource& source) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
    if (doc.isNull())
        throw std::runtime_error(path.toStdString() + ": " + error.errorString().toStdString() +
                                 " at offset " + std::to_string(error.offset));
    const QJsonObject root = doc.object();

    if (root.contains(QLatin1String("product"))) {
        const QJsonObject p = root.value(QLatin1String("product")).toObject();
        source.productMark = p.value(QLatin1String("cpbs")).toString();
        source.baseUpgradeMark = p.value(QLatin1String("sjbs")).toString();
    }
    for (const QJsonValue& v : root.value(QLatin1String("typeTimes")).toArray()) {
        const QJsonObject o = v.toObject();
        source.typeTimes.push_back(
            {o.value(QLatin1String("code")).toInt(), o.value(QLatin1String("minutes")).toDouble()});
    }
    const QJsonObject marks = root.value(QLatin1String("marks")).toObject();
    for (auto it = marks.begin(); it != marks.end(); ++it) {
        const QJsonObject perType = it.value().toObject();
        for (auto m = perType.begin(); m != perType.end(); ++m)
            source.marks[it.key().toInt()][m.key().toInt()] = m.value().toInt();
    }
    for (const QJsonValue& v : root.value(QLatin1String("chapters")).toArray()) {
        const QJsonObject o = v.toObject();
        source.chapters.push_back(
            {o.value(QLatin1String("code")).toString(), o.value(QLatin1String("title")).toString(),
             o.value(QLatin1String("name")).toString(), o.value(QLatin1String("chart")).toBool(),
             o.value(QLatin1String("guidance")).toString()});
    }
    for (const QJsonValue& gv : root.value(QLatin1String("catalogue")).toArray()) {
        const QJsonObject g = gv.toObject();
        SourceCatalogueGroup group{
            g.value(QLatin1String("id")).toString(), g.value(QLatin1String("name")).toString(), {}};
        for (const QJsonValue& ev : g.value(QLatin1String("entries")).toArray()) {
            const QJsonObject e = ev.toObject();
            SourceCatalogueEntry entry{e.value(QLatin1String("id")).toString(),
                                       e.value(QLatin1String("name")).toString(),
                                       {}};
            for (const QJsonValue& pv : e.value(QLatin1String("points")).toArray()) {
                const QJsonObject p = pv.toObject();
                entry.points.push_back({p.value(QLatin1String("ftid")).toString(),
                                        p.value(QLatin1String("label")).toString(),
                                        p.value(QLatin1String("text")).toString()});
            }
            group.entries.push_back(entry);
        }
        source.catalogue.push_back(group);
    }
    for (const QJsonValue& v : root.value(QLatin1String("stems")).toArray()) {
        const QJsonObject o = v.toObject();
        source.stems.push_back(
            {o.value(QLatin1String("id")).toString(), o.value(QLatin1String("text")).toString()});
    }
    for (const QJsonValue& v : root.value(QLatin1String("questions")).toArray()) {
        const QJsonObject o = v.toObject();
        SourceQuestion q;
        q.id = o.value(QLatin1String("id")).toString();
        q.chapter = o.value(QLatin1String("chapter")).toString();
        q.type = o.value(QLatin1String("type")).toInt();
        q.options = stringList(o.value(QLatin1String("options")));
        q.optionCount = o.contains(QLatin1String("optionCount"))
                            ? o.value(QLatin1String("optionCount")).toInt()
                            : static_cast<int>(q.options.size());
        q.answer = o.value(QLatin1String("answer")).toString();
        q.html = o.value(QLatin1String("text")).toString();
        q.explanationHtml = o.value(QLatin1String("explanation")).toString();
        q.points = stringList(o.value(QLatin1String("points")));
        source.questions.push_back(q);
    }
}

bool isKnownType(int code) {
    for (const QuestionTypeName& t : questionTypeNames()) {
        if (t.code == code)
            return true;
    }
    return false;
}

}  // namespace

BankSource readBankSource(const QString& folder) {
    BankSource source;
    const QDir dir(folder);
    const QStringList files = dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        throw std::runtime_error("no bank source in " + folder.toStdString());
    for (const QString& name : files)
        readFile(dir.filePath(name), source);
    // xx: the order of a question within its chapter, as the source lists them.
    QMap<QString, int> next;
    for (SourceQuestion& q : source.questions)
        q.order = ++next[q.chapter];
    return source;
}

QString answerFormProblem(int typeCode, const QString& answer, int optionCount) {
    const auto letterInRange = [&](QChar c) {
        return c >= QLatin1Char('A') && c.unicode() < 'A' + optionCount;
    };
    switch (typeCode) {
        case 61:
            if (answer.size() != 1 || !letterInRange(answer.at(0)))
                return QStringLiteral("one option letter");
            return {};
        case 65:
        case 66: {
            if (answer.isEmpty() || (typeCode == 65 && answer.size() < 2))
                return typeCode == 65 ? QStringLiteral("two or more option letters")
                                      : QStringLiteral("option letters");
            for (int i = 0; i < answer.size(); ++i) {
                if (!letterInRange(answer.at(i)) || (i > 0 && answer.at(i) <= answer.at(i - 1)))
                    return QStringLiteral("option letters in alphabetical order");
            }
            return {};
        }
        case 62:
            return answer == QLatin1String("A") || answer == QLatin1String("B")
                       ? QString()
                       : QStringLiteral("A (true) or B (false)");
        case 64:
            if (answer.isEmpty() || answer.trimmed() != answer ||
                answer.contains(QStringLiteral(", ")) || answer.contains(QChar(0xFF0C)))
                return QStringLiteral("fill-in text, blanks separated by \",\" without spaces");
            return {};
        default:
            return answer == QLatin1String("1") ? QString()
                                                : QStringLiteral("\"1\" (self-assessed)");
    }
}

QStringList validateBankSource(const BankSource& source) {
    QStringList problems;
    auto problem = [&](const QString& what) { problems << what; };

    if (source.productMark.isEmpty())
        problem(QStringLiteral("product mark missing"));

    QSet<QString> chapters;
    for (const SourceChapter& c : source.chapters) {
        const int len = static_cast<int>(c.code.size());
        if (len != 1 && len != 2 && len != 4 && len != 6)
            problem(QStringLiteral("chapter %1: code of length %2").arg(c.code).arg(len));
        if (chapters.contains(c.code.toLower()))
            problem(QStringLiteral("chapter %1 twice").arg(c.code));
        if (len > 1 && !chapters.contains(c.code.left(len == 2 ? 1 : len - 2).toLower()))
            problem(QStringLiteral("chapter %1: parent missing or listed after it").arg(c.code));
        if (c.name.isEmpty() || c.title.isEmpty())
            problem(QStringLiteral("chapter %1: name or title missing").arg(c.code));
        chapters.insert(c.code.toLower());
    }

    QSet<QString> points;
    QSet<QString> catalogueIds;
    for (const SourceCatalogueGroup& g : source.catalogue) {
        if (g.id.size() != 2 || catalogueIds.contains(g.id))
            problem(
                QStringLiteral("catalogue group %1: needs a unique two-character id").arg(g.id));
        catalogueIds.insert(g.id);
        for (const SourceCatalogueEntry& e : g.entries) {
            if (e.id.size() != 6 || !e.id.startsWith(g.id) || catalogueIds.contains(e.id))
                problem(QStringLiteral("catalogue entry %1: six characters under group %2")
                            .arg(e.id, g.id));
            catalogueIds.insert(e.id);
            for (const SourceExamPoint& p : e.points) {
                if (p.ftid.size() != 12 || !p.ftid.startsWith(e.id) ||
                    points.contains(p.ftid.toLower()))
                    problem(QStringLiteral("exam point %1: twelve characters under entry %2")
                                .arg(p.ftid, e.id));
                if (p.label.isEmpty())
                    problem(QStringLiteral("exam point %1: label missing").arg(p.ftid));
                points.insert(p.ftid.toLower());
            }
        }
    }

    QSet<QString> stems;
    for (const SourceStem& s : source.stems) {
        if (s.id.size() != 16 || stems.contains(s.id.toLower()))
            problem(QStringLiteral("stem %1: needs a unique sixteen-character id").arg(s.id));
        if (s.html.trimmed().isEmpty())
            problem(QStringLiteral("stem %1: text missing").arg(s.id));
        stems.insert(s.id.toLower());
    }

    QSet<QString> ids;
    QSet<QString> texts;
    for (const SourceQuestion& q : source.questions) {
        const QString where = QStringLiteral("question %1: ").arg(q.id);
        if (q.id.isEmpty() || q.id.size() > 20)
            problem(where + QStringLiteral("id of 1 to 20 characters"));
        if (q.id.startsWith(QLatin1Char('U'), Qt::CaseInsensitive))
            problem(where + QStringLiteral("ids starting with U are the user's own"));
        if (ids.contains(q.id.toLower()))
            problem(where + QStringLiteral("id used twice"));
        ids.insert(q.id.toLower());
        if (q.chapter.size() != 6 || !chapters.contains(q.chapter.toLower()))
            problem(where +
                    QStringLiteral("chapter %1 is not a six-character chapter").arg(q.chapter));
        if (!isKnownType(q.type))
            problem(where + QStringLiteral("unknown type %1").arg(q.type));
        if ((q.type == 61 || q.type == 65 || q.type == 66) &&
            (q.optionCount < 2 || q.optionCount > 6))
            problem(where + QStringLiteral("choice questions have 2 to 6 options"));
        if (const QString form = answerFormProblem(q.type, q.answer, q.optionCount);
            !form.isEmpty())
            problem(where + QStringLiteral("answer \"%1\" is not %2").arg(q.answer, form));
        if (q.html.trimmed().isEmpty())
            problem(where + QStringLiteral("text missing"));
        const QString fingerprint = q.html.simplified() + QLatin1Char('|') + q.options.join('|');
        if (texts.contains(fingerprint))
            problem(where + QStringLiteral("same text as another question"));
        texts.insert(fingerprint);
        if (q.id.contains(QLatin1Char('-')) && !stems.contains(q.id.left(16).toLower()))
            problem(where + QStringLiteral("no stem %1").arg(q.id.left(16)));
        if (q.points.size() > 10)
            problem(where + QStringLiteral("at most ten exam points"));
        for (const QString& p : q.points) {
            if (!points.contains(p.toLower()))
                problem(where + QStringLiteral("unknown exam point %1").arg(p));
        }
        if (QSet<QString>(q.points.cbegin(), q.points.cend()).size() != q.points.size())
            problem(where + QStringLiteral("an exam point named twice"));
    }
    return problems;
}
