// What the group dialogs share: the OK and Cancel buttons, rows of "mnemonic, description,
// field" built from the register table, and the station's parameter image they start from
// (numbers and codes, and the decimals of its INP, UNIT and DP-P). A dialog never sends: OK
// hands one request to the link. A field left as it opened sends back exactly what the
// controller holds, unchecked; only what the user changed is converted and checked, and a
// register never read from the station is never written.
#pragma once

#include "registers/ParamInfo.h"

#include <QDialog>

struct Request;
class RequestSink;

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class ValueList;

class GroupDialog : public QDialog {
    Q_OBJECT
public:
    // sink: where OK's write goes; image: the station's registers as last read.
    GroupDialog(RequestSink* sink, const ParamImage& image, QWidget* parent);

    virtual void btnOK_Click() = 0;
    void btnCancel_Click() { reject(); }

protected:
    // Rows of the field table: the mnemonic label, the description label and the field.
    // The mnemonic is the controller's own and stays as it is; the description is shown
    // translated (empty for none).
    QLineEdit* addText(const char* name, const char* mnemonic, const QString& description);
    // A combo box offering the choices of register reg's description, each item carrying its
    // code. It stays editable, so a word may be typed; OK takes it only if it is one of them
    // (or if it is the word the field opened with).
    QComboBox* addChoices(const char* name, const char* mnemonic, const QString& description,
                          int reg);
    void addRow(QWidget* field, const char* mnemonic, const QString& description);
    // The box on the item of code; a code it does not offer is shown as its number.
    static void setCode(QComboBox* box, int code);
    // Adds to v what the controller holds when the box shows what it opened with, else the code
    // of the box's text, or v's refusal naming the field and its words.
    void addChoice(ValueList& v, const QComboBox* box, int reg) const;
    // Puts the buttons under the fields; call once all rows are in.
    void finishLayout(QWidget* extra = nullptr);

    // Register reg in the image; 0 when it was not read.
    int raw(int reg) const { return imageValue(m_image, reg).value_or(0); }
    // What the map shows for register reg: its number scaled with the image's decimals or its
    // choice's word (empty when not read); the choice field shows the same word.
    QString shown(int reg) const;
    void setChoice(QComboBox* box, int reg) const;
    // The code the box stands for: its item's as picked, else that of the word typed.
    static std::optional<int> codeOf(const QComboBox* box, int reg);
    // Whether text is what register reg's field opened with, the register having been read.
    bool untouched(int reg, const QString& text) const;
    // Adds the field of register reg to v: what the controller holds when the field is
    // untouched, else the text scaled and checked for the station's input type, unit and
    // decimals as the image holds them (or as given: the input group's new ones).
    void addParam(ValueList& v, int reg, const QString& text) const;
    void addParam(ValueList& v, int reg, const QString& text, int inp, int unit, int d) const;
    // Adds raw value of register reg to v: unchecked when the controller holds it, else
    // checked likewise.
    void addRaw(ValueList& v, int reg, int raw) const;
    // Shows why the dialog cannot write regs when one was never read from the station.
    bool unread(const std::vector<int>& regs);
    // Hands the list to the link as the group write of step to the selected station and
    // closes, or shows why not (a value that does not fit, the link's refusal) and stays open.
    bool send(const ValueList& list, int step);
    // Shows why the list cannot be sent, if it cannot; the dialog stays open.
    bool refused(const ValueList& list);
    // Hands a request to the link and closes, or shows the link's refusal and stays open.
    bool submit(const Request& r);

    QGridLayout* m_fields;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    RequestSink* m_sink;
    const ParamImage m_image;
};
