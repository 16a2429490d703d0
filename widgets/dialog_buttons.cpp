#include "widgets/dialog_buttons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace widgets {

TDialogButtons AddDialogButtons(QDialog *dialog, QBoxLayout *layout, const TDialogButton &accept,
                                const TDialogButton &reject, bool acceptIsDefault)
{
    TDialogButtons row;
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    row.accept = new QPushButton(accept.text, dialog);
    row.accept->setObjectName(QLatin1String(accept.name));
    row.accept->setDefault(acceptIsDefault);
    row.reject = new QPushButton(reject.text, dialog);
    row.reject->setObjectName(QLatin1String(reject.name));
    buttons->addWidget(row.accept);
    buttons->addWidget(row.reject);
    layout->addLayout(buttons);
    QObject::connect(row.reject, &QPushButton::clicked, dialog, &QDialog::reject);
    return row;
}

} // namespace widgets
