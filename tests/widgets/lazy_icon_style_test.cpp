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
    for (const QStyleOption *option : options) {
        for (const auto which : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_MessageBoxWarning,
                                 QStyle::SP_DialogOkButton, QStyle::SP_ArrowBack}) {
            const QIcon ours = lazy.standardIcon(which, option);
            const QIcon theirs = fusion->standardIcon(which, option);
            EXPECT_EQ(ours.isNull(), theirs.isNull()) << which;
            EXPECT_EQ(ours.availableSizes(), theirs.availableSizes()) << which;
            EXPECT_EQ(ours.actualSize(QSize(20, 20)), theirs.actualSize(QSize(20, 20))) << which;
            EXPECT_EQ(ours.pixmap(16).toImage(), theirs.pixmap(16).toImage()) << which;
            EXPECT_EQ(ours.pixmap(QSize(32, 32), QIcon::Disabled).toImage(),
                      theirs.pixmap(QSize(32, 32), QIcon::Disabled).toImage())
                << which;
        }
    }
}
