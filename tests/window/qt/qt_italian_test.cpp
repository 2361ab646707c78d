// Qt's own texts in Italian: the standard buttons and the file dialog, while the program holds
// the translations, and Qt's English again once it lets them go.

#include "window/qt/qt_italian.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

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

// What Qt's Italian lacks of the file dialog is the program's: a folder's type is «Cartella», and
// every column is as wide as its Italian caption.
TEST(QtTextsInItalian, TheFileDialogNamesFoldersAndShowsItsCaptionsWhole) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("impianti")));
    const auto typeOfFolder = [&folder] {
        QFileDialog dialog(nullptr, QString(), folder.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        FitColumnsToCaptions(dialog);
        auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        EXPECT_NE(list, nullptr);
        const QHeaderView& header = *list->header();
        for (int column = 1; column < header.count(); ++column) {
            EXPECT_GE(header.sectionSize(column), header.sectionSizeHint(column))
                << list->model()->headerData(column, Qt::Horizontal).toString().toStdString();
        }
        auto& files = *static_cast<QFileSystemModel*>(list->model());
        const QModelIndex entry = files.index(QDir(folder.path()).filePath("impianti"), 2);
        // The model reads the folder in a thread of its own.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !files.data(entry).toString().isEmpty(); }));
        return files.data(entry).toString();
    };
#ifdef _WIN32
    // Windows names a folder's type itself, in its own language, whatever Qt's texts are.
    const QString folderType = typeOfFolder();
    EXPECT_FALSE(folderType.isEmpty());
#else
    const QString folderType = QStringLiteral("Folder");
#endif
    {
        const QtTextsInItalian italian;
        ASSERT_TRUE(italian.Installed());
#ifdef _WIN32
        EXPECT_EQ(typeOfFolder(), folderType);
#else
        EXPECT_EQ(typeOfFolder(), "Cartella");
#endif
        EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Unknown"),
                  "Sconosciuto");
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Cerca in:");  // Qt's
    }
    EXPECT_EQ(typeOfFolder(), folderType);
}

}  // namespace
}  // namespace idrovela::window::qt
