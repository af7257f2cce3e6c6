#include "settings/frmKX5_About.h"

#include "files/Version.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <string_view>

namespace {

// The logo: the product name on the controller's face colour, drawn so no image file is needed.
QPixmap logo() {
    QPixmap pm(96, 96);
    pm.fill(QColor(0x20, 0x40, 0x80));
    QPainter p(&pm);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(32);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("KX5"));
    return pm;
}

} // namespace

frmKX5_About::frmKX5_About(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmKX5_About"));
    setWindowTitle(tr("About"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(logo());
    // No home-page link: the program has no public address to point at.
    // The build's name, spelt out so that it can be translated.
    static_assert(std::string_view(kProgramName) == "KX5 Communication Program");
    lblName = new QLabel(tr("KX5 Communication Program"), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    QFont f = lblName->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    lblName->setFont(f);
    lblVersion = new QLabel(tr("Version %1").arg(QLatin1String(kVersion)), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    btnClose = new QPushButton(tr("&Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);

    auto* text = new QVBoxLayout;
    text->addWidget(lblName);
    text->addWidget(lblVersion);
    text->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(Image1);
    body->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* top = new QVBoxLayout(this);
    top->addLayout(body);
    top->addLayout(buttons);

    connect(btnClose, &QPushButton::clicked, this, &frmKX5_About::btnClose_Click);
}

void frmKX5_About::btnClose_Click() {
    accept();
}
