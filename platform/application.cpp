#include "platform/application.h"

#include "platform/prompter.h"
#include "platform/tarvelin_error.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <exception>

namespace platform {

TarvelinApplication::TarvelinApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
    InstallQtPolishTranslation();
}

QTranslator *InstallQtPolishTranslation()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

void ShowEscapedError(const QString &text)
{
    MessageBox(text, QStringLiteral("Tarvelin"), MsgIcon::Error, MsgOk);
}

bool TarvelinApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const TarvelinError &e) {
        ShowEscapedError(e.message());
    } catch (const std::exception &e) {
        ShowEscapedError(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowEscapedError(QStringLiteral("Nieznany błąd"));
    }
    return false;
}

} // namespace platform
