#include "reportengine/vr_export_filter.h"

#include "reportengine/vr_page_list.h"

namespace reportengine {

QString PageFileDialogFilter()
{
    // Qt's dialogs match names case-sensitively on Linux, so both spellings are listed.
    const QString ext = QString::fromLatin1(kPageFileExtension);
    return QStringLiteral("Velumar file (*.%1 *.%2)").arg(ext, ext.toLower());
}

QString TVRExportFilterLibrary::SaveDialogFilter() const
{
    QString filter = PageFileDialogFilter();
    for (const TVRExportFilterEntry &f : m_filters)
        filter += QStringLiteral(";;%1 (*.%2)").arg(f.Name, f.Extension);
    return filter;
}

TVRExportFilterLibrary &ExportFilterLibrary()
{
    static TVRExportFilterLibrary library;
    return library;
}

} // namespace reportengine
