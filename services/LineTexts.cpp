#include "services/LineTexts.h"

#include "link/KX5Link.h"

#include <QCoreApplication>

// The link's words keep the link's name as their context, so their translations stay theirs.

LineTexts::LineTexts(KX5Link* link, QObject* parent) : QObject(parent), m_link(link) {
    connect(link, &KX5Link::commandChanged, this, &LineTexts::captionsChanged);
}

QString LineTexts::portMenuCaption() const {
    return m_link->offersClose() ? QCoreApplication::translate("KX5Link", "Port &Close")
                                 : QCoreApplication::translate("KX5Link", "Port &Open");
}

QString LineTexts::portButtonCaption() const {
    return m_link->offersClose() ? QCoreApplication::translate("KX5Link", "Port Close")
                                 : QCoreApplication::translate("KX5Link", "Port Open");
}
