// Qt's own texts in Italian: the standard buttons and the file dialog, while the program holds
// the translations, and Qt's English again once it lets them go.

#include "window/qt/qt_italian.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>

namespace idrovela::window::qt {
namespace {

QString ButtonText(QDialogButtonBox::StandardButton which) {
    const QDialogButtonBox box(which);
    return box.button(which)->text();
}

TEST(QtTextsInItalian, StandardButtonsAndTheFileDialogSpeakItalian) {
    {
        const QtTextsInItalian italian;
        ASSERT_TRUE(italian.Installed()) << "install the Debian package qt6-translations-l10n";
        EXPECT_EQ(ButtonText(QDialogButtonBox::Cancel), "Annulla");
        EXPECT_EQ(ButtonText(QDialogButtonBox::Save), "Salva");
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        const auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
        ASSERT_NE(lookIn, nullptr);
        EXPECT_EQ(lookIn->text(), "Cerca in:");
    }
    EXPECT_EQ(ButtonText(QDialogButtonBox::Cancel), "Cancel");
}

}  // namespace
}  // namespace idrovela::window::qt
