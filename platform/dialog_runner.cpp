#include "platform/dialog_runner.h"

#include <QDialog>
#include <cstdio>

namespace platform {

namespace {

class RealRunner : public DialogRunner
{
public:
    int Exec(QDialog &dialog) override
    {
        if (!qEnvironmentVariableIsEmpty("TARVELIN_SCRIPTED_BOXES")) {
            std::fprintf(stderr, "[dialog] %s | rejected\n", dialog.windowTitle().toUtf8().constData());
            return QDialog::Rejected;
        }
        return dialog.exec();
    }
};

DialogRunner *installed = nullptr;

} // namespace

DialogRunner &CurrentDialogRunner()
{
    static RealRunner real;
    return installed ? *installed : real;
}

DialogRunner *SetDialogRunner(DialogRunner *r)
{
    DialogRunner *old = installed;
    installed = r;
    return old;
}

int ExecDialog(QDialog &dialog)
{
    return CurrentDialogRunner().Exec(dialog);
}

} // namespace platform
