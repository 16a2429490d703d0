#pragma once

// The text editor of a label: its text, size (in the report's units) and three switches
// in the "Text Settings" dialog, which runs through the dialog runner, so tests fill it
// in.

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace reportengine {

class TVRLabel;

class TVRLabelEditorForm : public QDialog
{
    Q_OBJECT

public:
    explicit TVRLabelEditorForm(QWidget *parent = nullptr);

    QGroupBox *Properties = nullptr;
    QLineEdit *Value = nullptr;
    QLineEdit *Width = nullptr;
    QLineEdit *Height = nullptr;
    QCheckBox *AutoSize = nullptr;
    QCheckBox *Stretch = nullptr;
    QCheckBox *Transparent = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *Button4 = nullptr;

    // The width and height as numbers (valid after the form was accepted).
    double WidthValue() const { return m_width; }
    double HeightValue() const { return m_height; }

private:
    void OkClicked();

    double m_width = 0;
    double m_height = 0;
};

class TVRLabelEditor
{
public:
    explicit TVRLabelEditor(TVRLabel &label) : m_label(label) {}

    QFont Font() const;
    QColor Color() const;
    static QString ClassName() { return QStringLiteral("TVRLabel"); }
    QString Text() const;
    static QString Name() { return QStringLiteral("VRLABEL"); }
    static QString Description() { return QStringLiteral("Text Control"); }
    void SetColor(const QColor &color);
    void SetFont(const QFont &font);
    void SetText(const QString &text);

    // Shows the label in the "Text Settings" dialog; OK writes the text, size and
    // switches back and returns true.
    bool Edit(QWidget *parent = nullptr);

private:
    TVRLabel &m_label;
};

// A size as the dialog shows it: the shortest text that reads back as the same number.
QString FormatLabelSize(double value);
// A size typed in the dialog; a decimal comma is taken as a point. False when the text
// is not a number.
bool ParseLabelSize(const QString &text, double &value);

} // namespace reportengine
