// The words and colours given to the port command and the lamps: the port command's captions,
// and the send and receive lamps.
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

    QString portMenuCaption() const;   // "Port &Open" / "Port &Close"
    QString portButtonCaption() const; // "Port Open" / "Port Close"
    Bgr sendLamp() const;
    Bgr recvLamp() const;

signals:
    void captionsChanged();
    void lampsChanged();

private:
    KX5Link* m_link;
};
