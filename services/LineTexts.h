// The words given to the port command: its captions in the menu and on the button. (The send
// and receive lamps are the link's sending() and receiving(); the window colours them.)
#pragma once

#include <QObject>

class KX5Link;

class LineTexts : public QObject {
    Q_OBJECT
public:
    // Follows `link`'s port command from now on.
    explicit LineTexts(KX5Link* link, QObject* parent = nullptr);

    QString portMenuCaption() const;   // "Port &Open" / "Port &Close"
    QString portButtonCaption() const; // "Port Open" / "Port Close"

signals:
    void captionsChanged();

private:
    KX5Link* m_link;
};
