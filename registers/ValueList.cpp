#include "registers/ValueList.h"

#include "link/mdlKX5.h"
#include "registers/ParamInfo.h"

#include <QCoreApplication>
#include <cmath>

qint64 scaleText(const QString& text, int power) {
    double x = val(text) * std::pow(10.0, power);
    const double twice = std::nearbyint(x * 2);
    if (std::fabs(x) < 1e9 && std::fabs(x * 2 - twice) < 1e-6) x = twice / 2;
    return roundHalfEven(x);
}

void ValueList::addNumber(const QString& field, const QString& text, int power) {
    if (text.trimmed().isEmpty()) { // never 0 for a field left empty
        values.push_back(0);
        if (m_refusal) return;
        m_refusal =
            QCoreApplication::translate("GroupDialog", "%1: empty; enter a value").arg(field);
        m_typed.clear();
        return;
    }
    const qint64 v = scaleText(text, power);
    if (v >= kRegisterMin && v <= kRegisterMax) {
        values.push_back(static_cast<int>(v));
        return;
    }
    values.push_back(0);
    if (m_refusal) return;
    const double unit = std::pow(10.0, power);
    // Shown by the group dialogs, in their words.
    m_refusal = QCoreApplication::translate("GroupDialog", "%1: enter %2 to %3")
                    .arg(field, formatDecimals(kRegisterMin / unit, power),
                         formatDecimals(kRegisterMax / unit, power));
    m_typed = text.trimmed();
}

void ValueList::addParam(int reg, const QString& text, int inp, int unit, int d) {
    const ParamInfo* p = paramInfo(reg);
    if (!p) {
        addNumber(QString::number(reg), text);
        return;
    }
    const bool wasOk = ok();
    addNumber(QString::fromLatin1(p->name), text, p->power(d));
    if (!wasOk || !ok()) return;
    const int raw = values.back();
    values.pop_back();
    addRaw(reg, raw, inp, unit, d);
}

void ValueList::addRaw(int reg, int raw, int inp, int unit, int d) {
    const ParamInfo* p = paramInfo(reg);
    const QString why = p ? paramRefusal(*p, raw, inp, unit, d) : QString();
    values.push_back(why.isEmpty() ? raw : 0);
    if (why.isEmpty() || m_refusal) return;
    m_refusal = why;
    m_typed.clear();
}

void ValueList::addChoice(int reg, const QString& text) {
    const ParamInfo* p = paramInfo(reg);
    const std::optional<int> code = p ? p->code(text) : std::nullopt;
    values.push_back(code.value_or(0));
    if (code || m_refusal) return;
    m_refusal = p ? p->choiceRefusal(text) : QString::number(reg);
    m_typed.clear();
}

QString ValueList::refusalMessage() const {
    if (!m_refusal) return {};
    if (m_typed.isEmpty()) // not taken by the controller, though it would read back
        return QCoreApplication::translate("GroupDialog", "%1\nNothing was sent.").arg(*m_refusal);
    return QCoreApplication::translate("GroupDialog",
                                       "%1\n%2 would not read back as typed. Nothing was sent.")
        .arg(*m_refusal, m_typed);
}
