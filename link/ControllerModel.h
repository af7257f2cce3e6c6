#pragma once

#include <QString>

// A controller's model as its answer to the model query gave it. Decisions (is this a KX5, is a
// parameter set for this station's model) compare these values, never the texts shown for them.
enum class ControllerModel {
    Unknown,  // not asked yet, or the station has not answered the query
    NotKX5,   // answered, but its model field does not name a KX5
    KX5_105,  // a KX5 whose model field ends in "0033"
    KX5_Other // a KX5 of another kind
};

// The model of an answer to "WHO" (the reply text, frame bytes as Latin-1).
ControllerModel modelFromReply(const QString& replyText);
// The station table's words: "KX5-105", "KX5-???", "" for Unknown and NotKX5.
QString modelText(ControllerModel m);
// The model named by the words modelText gives (parameter-set files keep those words).
ControllerModel modelFromText(const QString& text);
inline bool isKX5(ControllerModel m) {
    return m == ControllerModel::KX5_105 || m == ControllerModel::KX5_Other;
}
