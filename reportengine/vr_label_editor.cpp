#include "reportengine/vr_label_editor.h"

#include "reportengine/vr_label.h"

#include "platform/dialog_runner.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace reportengine {

QString FormatLabelSize(double value)
{
    return QString::number(value, 'g', 15);
}

bool ParseLabelSize(const QString &text, double &value)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

TVRLabelEditorForm::TVRLabelEditorForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("VRLabelEditorForm"));
    setWindowTitle(QStringLiteral("Text Settings"));
    Properties = new QGroupBox(QStringLiteral("Properties"), this);
    Properties->setObjectName(QStringLiteral("Properties"));
    Value = new QLineEdit(Properties);
    Value->setObjectName(QStringLiteral("Value"));
    Width = new QLineEdit(Properties);
    Width->setObjectName(QStringLiteral("Width"));
    Height = new QLineEdit(Properties);
    Height->setObjectName(QStringLiteral("Height"));
    AutoSize = new QCheckBox(QStringLiteral("Autosize"), Properties);
    AutoSize->setObjectName(QStringLiteral("AutoSize"));
    Stretch = new QCheckBox(QStringLiteral("Stretch"), Properties);
    Stretch->setObjectName(QStringLiteral("Stretch"));
    Transparent = new QCheckBox(QStringLiteral("Transparent"), Properties);
    Transparent->setObjectName(QStringLiteral("Transparent"));

    auto *grid = new QGridLayout(Properties);
    grid->addWidget(new QLabel(QStringLiteral("Text"), Properties), 0, 0);
    grid->addWidget(Value, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Width"), Properties), 1, 0);
    grid->addWidget(Width, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Height"), Properties), 1, 2);
    grid->addWidget(Height, 1, 3);
    grid->addWidget(AutoSize, 2, 0, 1, 2);
    grid->addWidget(Stretch, 2, 2);
    grid->addWidget(Transparent, 2, 3);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    Button4 = new QPushButton(QStringLiteral("Cancel"), this);
    Button4->setObjectName(QStringLiteral("Button4"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(Button4);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Properties);
    layout->addLayout(buttons);
    connect(OKBtn, &QPushButton::clicked, this, &TVRLabelEditorForm::OkClicked);
    connect(Button4, &QPushButton::clicked, this, &QDialog::reject);
}

void TVRLabelEditorForm::OkClicked()
{
    // A size that is not a number is named and the dialog stays open, so nothing is
    // half written back to the label.
    for (QLineEdit *edit : {Width, Height}) {
        double v = 0;
        if (!ParseLabelSize(edit->text(), v)) {
            platform::ShowError(QStringLiteral("'%1' is not a valid floating point value").arg(edit->text()),
                                windowTitle());
            edit->setFocus();
            edit->selectAll();
            return;
        }
        (edit == Width ? m_width : m_height) = v;
    }
    accept();
}

QFont TVRLabelEditor::Font() const
{
    return m_label.Font();
}

QColor TVRLabelEditor::Color() const
{
    return m_label.Color();
}

QString TVRLabelEditor::Text() const
{
    return m_label.Caption();
}

void TVRLabelEditor::SetColor(const QColor &color)
{
    m_label.SetColor(color);
}

void TVRLabelEditor::SetFont(const QFont &font)
{
    m_label.SetFont(font);
}

void TVRLabelEditor::SetText(const QString &text)
{
    m_label.SetCaption(text);
}

bool TVRLabelEditor::Edit(QWidget *parent)
{
    TVRLabelEditorForm form(parent);
    form.Value->setText(m_label.Caption());
    form.Width->setText(FormatLabelSize(m_label.Size().Width()));
    form.Height->setText(FormatLabelSize(m_label.Size().Height()));
    form.AutoSize->setChecked(m_label.AutoSize());
    form.Stretch->setChecked(m_label.AutoStretch());
    form.Transparent->setChecked(m_label.Transparent());
    if (platform::ExecDialog(form) != QDialog::Accepted)
        return false;
    // The form only accepts sizes that are numbers; a scripted accept is checked again.
    double w = 0, h = 0;
    if (!ParseLabelSize(form.Width->text(), w) || !ParseLabelSize(form.Height->text(), h))
        return false;
    m_label.SetCaption(form.Value->text());
    m_label.Size().SetWidth(w);
    m_label.Size().SetHeight(h);
    m_label.SetAutoSize(form.AutoSize->isChecked());
    m_label.SetAutoStretch(form.Stretch->isChecked());
    m_label.SetTransparent(form.Transparent->isChecked());
    return true;
}

} // namespace reportengine
