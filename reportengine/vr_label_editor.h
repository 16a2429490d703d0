#pragma once

// The text editor of a label: its text, size and three switches in the "Text Settings"
// dialog. The label is reached through TVREditableLabel, which the label control
// implements; the dialog runs through the dialog runner, so tests fill it in.

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace reportengine {

// What the editor reads and writes on a label. Sizes are in the report's units.
class TVREditableLabel
{
public:
    virtual ~TVREditableLabel() = default;
    virtual QString Caption() const = 0;
    virtual void SetCaption(const QString &caption) = 0;
    virtual QFont Font() const = 0;
    virtual void SetFont(const QFont &font) = 0;
    virtual QColor Color() const = 0;
    virtual void SetColor(const QColor &color) = 0;
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    virtual void SetWidth(double width) = 0;
    virtual void SetHeight(double height) = 0;
    virtual bool AutoSize() const = 0;
    virtual void SetAutoSize(bool on) = 0;
    virtual bool AutoStretch() const = 0;
    virtual void SetAutoStretch(bool on) = 0;
    virtual bool Transparent() const = 0;
    virtual void SetTransparent(bool on) = 0;
};

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
    explicit TVRLabelEditor(TVREditableLabel &label) : m_label(label) {}

    QFont Font() const { return m_label.Font(); }
    QColor Color() const { return m_label.Color(); }
    static QString ClassName() { return QStringLiteral("TVRLabel"); }
    QString Text() const { return m_label.Caption(); }
    static QString Name() { return QStringLiteral("VRLABEL"); }
    static QString Description() { return QStringLiteral("Text Control"); }
    void SetColor(const QColor &color) { m_label.SetColor(color); }
    void SetFont(const QFont &font) { m_label.SetFont(font); }
    void SetText(const QString &text) { m_label.SetCaption(text); }

    // Shows the label in the "Text Settings" dialog; OK writes the text, size and
    // switches back and returns true.
    bool Edit(QWidget *parent = nullptr);

private:
    TVREditableLabel &m_label;
};

// A size as the dialog shows it: the shortest text that reads back as the same number.
QString FormatLabelSize(double value);
// A size typed in the dialog; a decimal comma is taken as a point. False when the text
// is not a number.
bool ParseLabelSize(const QString &text, double &value);

} // namespace reportengine
