#include "link/ControllerModel.h"

ControllerModel modelFromReply(const QString& replyText) {
    if (!replyText.contains(QLatin1String("KX5"))) return ControllerModel::NotKX5;
    // the ten-character model field starts at offset 10
    return replyText.mid(10, 10).endsWith(QLatin1String("0033")) ? ControllerModel::KX5_105
                                                                 : ControllerModel::KX5_Other;
}

QString modelText(ControllerModel m) {
    switch (m) {
    case ControllerModel::KX5_105:
        return QStringLiteral("KX5-105");
    case ControllerModel::KX5_Other:
        return QStringLiteral("KX5-???");
    case ControllerModel::Unknown:
    case ControllerModel::NotKX5:
        break;
    }
    return {};
}

ControllerModel modelFromText(const QString& text) {
    const QString t = text.trimmed();
    if (t == QLatin1String("KX5-105")) return ControllerModel::KX5_105;
    if (t == QLatin1String("KX5-???")) return ControllerModel::KX5_Other;
    return ControllerModel::Unknown;
}
