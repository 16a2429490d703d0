// The style whose standard icons are read when first used gives the same icons as the
// style it wraps, asked for without an option, with a plain one and with a richer one.
#include "widgets/lazy_icon_style.h"

#include <QStyleFactory>
#include <QStyleOption>
#include <gtest/gtest.h>

TEST(LazyIconStyle, GivesTheIconsOfTheStyleItWraps)
{
    widgets::TLazyIconStyle lazy(QStyleFactory::create(QStringLiteral("Fusion")));
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QStyleOption plain;
    QStyleOptionButton button;
    const QStyleOption *options[] = {nullptr, &plain, &button};
    for (const QStyleOption *option : options)
        for (const auto which : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_MessageBoxWarning,
                                 QStyle::SP_DialogOkButton, QStyle::SP_ArrowBack}) {
            const QIcon ours = lazy.standardIcon(which, option);
            const QIcon theirs = fusion->standardIcon(which, option);
            EXPECT_EQ(ours.availableSizes(), theirs.availableSizes()) << which;
            for (const auto &[size, mode] : {std::pair(16, QIcon::Normal), std::pair(32, QIcon::Disabled)})
                EXPECT_EQ(ours.pixmap(size, mode).toImage(), theirs.pixmap(size, mode).toImage()) << which;
        }
}
