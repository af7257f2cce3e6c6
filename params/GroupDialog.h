// What the group dialogs share: the OK and Cancel buttons, rows of "mnemonic, description,
// field" built from the register tables, the initial texts from the map's display grid, and the
// decimals from the data grid. A dialog never sends: OK hands one request to the link.
#pragma once

#include <QDialog>

struct Request;
class RequestSink;

class Grid;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class ValueList;

class GroupDialog : public QDialog {
    Q_OBJECT
public:
    // sink: where OK's write goes; display: the map window's grid (formatted texts); data: the
    // parameter data grid.
    GroupDialog(RequestSink* sink, const Grid* display, const Grid* data, QWidget* parent);

    virtual void btnOK_Click() = 0;
    void btnCancel_Click() { reject(); }

protected:
    // Rows of the field table: the mnemonic label, the description label and the field.
    // The mnemonic is the controller's own and stays as it is; the description is shown
    // translated (empty for none).
    QLineEdit* addText(const char* name, const char* mnemonic, const QString& description);
    QComboBox* addCombo(const char* name, const char* mnemonic, const QString& description,
                        const QStringList& choices);
    // A combo box offering the choices of register reg's description.
    QComboBox* addChoices(const char* name, const char* mnemonic, const QString& description,
                          int reg);
    void addRow(QWidget* field, const char* mnemonic, const QString& description);
    // Choices shown in the user's words: each item keeps the word the map shows as its data,
    // which setChoice finds and choiceWord gives back for OK to convert.
    void showChoicesAs(QComboBox* box, const QStringList& shownWords);
    static QString choiceWord(const QComboBox* box);
    // The code of the box's word among register reg's choices; a word that is none of them
    // gives the first choice's code, 0.
    static int choiceCode(const QComboBox* box, int reg);
    // Puts the buttons under the fields; call once all rows are in.
    void finishLayout(QWidget* extra = nullptr);

    // Display text of register reg's cell, and the field set to it (by the item's word where
    // the items carry one).
    QString shown(int reg) const;
    static void setChoice(QComboBox* box, const QString& text);
    // DecimalPlaces from INP, UNIT and DP-P in the data grid.
    int dataDecimals() const;
    // Adds the field of register reg to v, scaled and checked for the station's input type,
    // unit and decimals as the data grid holds them.
    void addParam(ValueList& v, int reg, const QString& text) const;
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
    const Grid* m_display;
    const Grid* m_data;
};
