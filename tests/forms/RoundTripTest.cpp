// What the dialogs show is what they store: an example project opened, each
// of the five dialogs confirmed unchanged, calculates exactly as the file
// written by hand, and saves back to the same bytes.
#include "forms/FormRunner.h"
#include "forms/InputDialog.h"
#include "core/ProjectFile.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace wyndlor {
namespace {

QByteArray Bytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DialogRoundTrip : public ::testing::TestWithParam<const char *> {};

TEST_P(DialogRoundTrip, ConfirmedDialogsKeepTheProjectAndItsResults) {
    const QString example = QStringLiteral(WYNDLOR_EXAMPLES_DIR "/") + QString::fromLatin1(GetParam());
    Project original;
    ASSERT_EQ(OpenProjectFile(example, original.Data).outcome, OpenOutcome::Ok);

    Project entered;
    entered.Data = original.Data;
    for (const char *tag : {"InpJyoken", "InpHVC", "InpArea", "InpSection", "InpDeltaT"}) {
        auto dialog = CreateInputForm(QString::fromLatin1(tag), entered, nullptr);
        ASSERT_NE(dialog, nullptr) << tag;
        dialog->show();
        dialog->cmdOk->click();
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << tag;
    }
    EXPECT_TRUE(entered.IsModified);

    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("entered.wyd"));
    int32_t code = 0;
    ASSERT_TRUE(SaveProjectFile(saved, entered.Data, code)) << code;
    EXPECT_EQ(Bytes(saved), Bytes(example));

    original.Run = MakeCalcRun(original.Data, CalcRunOptions{false, false});
    entered.Run = MakeCalcRun(entered.Data, CalcRunOptions{false, false});
    ASSERT_TRUE(original.Run.Ok && entered.Run.Ok);
    EXPECT_EQ(entered.Run.Results.objQi->Q1(), original.Run.Results.objQi->Q1());
    EXPECT_EQ(entered.Run.Results.DesignFloodLevel, original.Run.Results.DesignFloodLevel);
    const colQoData &a = original.Run.Results.objQo->Qo();
    const colQoData &b = entered.Run.Results.objQo->Qo();
    ASSERT_EQ(b.Count(), a.Count());
    for (int32_t i = 1; i <= a.Count(); ++i) {
        EXPECT_EQ(b.Item(i)->Qo, a.Item(i)->Qo) << i;
        EXPECT_EQ(b.Item(i)->EL, a.Item(i)->EL) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, DialogRoundTrip,
                         ::testing::Values("yamanaka-ike.wyd", "osawa-ike.wyd", "nishitani-ike.wyd"),
                         [](const auto &info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('-'));
                         });

}  // namespace
}  // namespace wyndlor
