#pragma once

#include <QLocalServer>
#include <QObject>

// One running program per user. The first start listens on a local socket; a later one
// connects, asks the first to come to the front and ends. A socket left behind by a
// crashed run is removed when nobody answers on it.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(const QString& serverName = defaultServerName(),
                            QObject* parent = nullptr);

    // True when another instance answered and was asked to come forward: this one ends.
    // Otherwise this instance becomes the one that answers later starts.
    bool ActivatePrevInstance();
    bool isServing() const { return server_.isListening(); }

    static QString defaultServerName();

  signals:
    // A later start asked this instance to come to the front.
    void activationRequested();

  private:
    void onNewConnection();

    QString name_;
    QLocalServer server_;
};
