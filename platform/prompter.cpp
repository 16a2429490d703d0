#include "platform/prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace platform {

namespace {

int activeBoxes = 0;

struct BoxGuard
{
    BoxGuard() { ++activeBoxes; }
    ~BoxGuard() { --activeBoxes; }
};

int defaultAnswer(int buttons)
{
    if (buttons & MsgNo)
        return MsgNo;
    for (int b = MsgOk; b <= MsgIgnore; b <<= 1) {
        if (buttons & b)
            return b;
    }
    return MsgOk;
}

class ScriptedFromEnvironment : public Prompter
{
public:
    int Ask(MsgIcon, const QString &caption, const QString &text, int buttons) override
    {
        std::fprintf(stderr, "[box] %s | %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
        return defaultAnswer(buttons);
    }
};

class QtPrompter : public Prompter
{
public:
    int Ask(MsgIcon icon, const QString &caption, const QString &text, int buttons) override
    {
        if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
            std::fprintf(stderr, "%s: %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
            return defaultAnswer(buttons);
        }
        QMessageBox box;
        box.setWindowTitle(caption);
        box.setText(text);
        switch (icon) {
        case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MsgIcon::None: break;
        }
        struct Map { int ours; QMessageBox::StandardButton qt; const char *text; };
        static const Map map[] = {
            {MsgOk, QMessageBox::Ok, "OK"},         {MsgCancel, QMessageBox::Cancel, "Anuluj"},
            {MsgYes, QMessageBox::Yes, "Tak"},      {MsgNo, QMessageBox::No, "Nie"},
            {MsgAbort, QMessageBox::Abort, "Przerwij"}, {MsgRetry, QMessageBox::Retry, "Ponów"},
            {MsgIgnore, QMessageBox::Ignore, "Ignoruj"},
        };
        QMessageBox::StandardButtons qtButtons;
        for (const Map &m : map) {
            if (buttons & m.ours)
                qtButtons |= m.qt;
        }
        if (!qtButtons)
            qtButtons = QMessageBox::Ok;
        box.setStandardButtons(qtButtons);
        for (const Map &m : map) {
            if (auto *b = box.button(m.qt))
                b->setText(QString::fromUtf8(m.text));
        }
        if ((buttons & MsgDefaultNo) && box.button(QMessageBox::No)) {
            box.setDefaultButton(QMessageBox::No);
            box.setEscapeButton(QMessageBox::No);
        } else if (box.button(QMessageBox::Cancel)) {
            // Where the question can be called off, Escape and the close button call it off.
            if (box.button(QMessageBox::Yes))
                box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
        }
        const int r = box.exec();
        for (const Map &m : map) {
            if (r == m.qt)
                return m.ours;
        }
        return (buttons & MsgCancel) ? MsgCancel : defaultAnswer(buttons);
    }
};

Prompter *installed = nullptr;

} // namespace

Prompter &CurrentPrompter()
{
    if (installed)
        return *installed;
    static ScriptedFromEnvironment scripted;
    static QtPrompter real;
    if (!qEnvironmentVariableIsEmpty("TARVELIN_SCRIPTED_BOXES"))
        return scripted;
    return real;
}

Prompter *SetPrompter(Prompter *p)
{
    Prompter *old = installed;
    installed = p;
    return old;
}

int MessageBox(const QString &text, const QString &caption, MsgIcon icon, int buttons)
{
    BoxGuard guard;
    const QString title = caption.isEmpty() ? QStringLiteral("Tarvelin") : caption;
    return CurrentPrompter().Ask(icon, title, text, buttons);
}

void ShowInfo(const QString &text, const QString &caption)
{
    MessageBox(text, caption, MsgIcon::Information, MsgOk);
}

void ShowWarning(const QString &text, const QString &caption)
{
    MessageBox(text, caption, MsgIcon::Warning, MsgOk);
}

void ShowError(const QString &text, const QString &caption)
{
    MessageBox(text, caption, MsgIcon::Error, MsgOk);
}

bool AskYesNo(const QString &text, const QString &caption)
{
    return MessageBox(text, caption, MsgIcon::Question, MsgYes | MsgNo) == MsgYes;
}

int AskYesNoCancel(const QString &text, const QString &caption)
{
    const int answer = MessageBox(text, caption, MsgIcon::Question, MsgYes | MsgNo | MsgCancel);
    return answer == MsgYes || answer == MsgNo ? answer : MsgCancel;
}

bool ConfirmDeletion(const QString &text, const QString &caption)
{
    return MessageBox(text, caption, MsgIcon::Question, MsgYes | MsgNo | MsgDefaultNo) == MsgYes;
}

void ShowFileAccessError(const QString &path)
{
    ShowWarning(FileAccessErrorText(path));
}

bool MessageBoxActive()
{
    return activeBoxes > 0;
}

} // namespace platform
