// The words and colours given to what the link reports: the port command's captions, the port
// state and the link's notes in the status bar, and the send and receive lamps.
#pragma once

#include "link/LinkNote.h"
#include "ui/Grid.h"

#include <QObject>

class KX5Link;

class LineTexts : public QObject {
    Q_OBJECT
public:
    // Follows `link`'s port command and lamps from now on.
    explicit LineTexts(KX5Link* link, QObject* parent = nullptr);
    // From now on, for as long as `context` lives, the link's port state and notes go into
    // its status-bar panels 3 and 4, as do the ends of requests that failed for good.
    static void followInStatusBar(KX5Link* link, QObject* context);

    QString portMenuCaption() const;   // "Port &Open" / "Port &Close"
    QString portButtonCaption() const; // "Port Open" / "Port Close"
    Bgr sendLamp() const;
    Bgr recvLamp() const;

    // A note of the link in the user's language; empty for Clear.
    static QString noteText(const LinkNote& n);

signals:
    void captionsChanged();
    void lampsChanged();

private:
    KX5Link* m_link;
};
