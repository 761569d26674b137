#include "platform/ui/MsgBox.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

using namespace zav;

namespace {

TEST(MsgBoxRecorder, KeepsEveryCallInOrderAndReturnsScriptedAnswers)
{
    MsgBoxRecorder rec;
    rec.PushAnswer(vbNo);
    rec.PushAnswer(vbCancel);
    EXPECT_EQ(MsgBox(QStringLiteral("¿Confirma que va a eliminar?"), 292, QStringLiteral("Declaraciones")), vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("¿desea guardar los cambios?"), 35, QStringLiteral("Formulario")), vbCancel);
    // Queue empty: the style's default button.
    EXPECT_EQ(MsgBox(QStringLiteral("Otra vez"), 292), vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("Listo")), vbOK);

    ASSERT_EQ(rec.Count(), 4);
    EXPECT_EQ(rec.Entries()[0].text, QStringLiteral("¿Confirma que va a eliminar?"));
    EXPECT_EQ(rec.Entries()[0].style, 292);
    EXPECT_EQ(rec.Entries()[0].title, QStringLiteral("Declaraciones"));
    EXPECT_EQ(rec.Entries()[1].style, 35);
    EXPECT_EQ(rec.Entries()[2].title, QString());
    EXPECT_EQ(rec.Last().text, QStringLiteral("Listo"));
    EXPECT_EQ(rec.Last().style, 0);
}

TEST(MsgBoxRecorder, NestedRecorderTakesOverAndHandsBack)
{
    MsgBoxRecorder outer;
    {
        MsgBoxRecorder inner;
        MsgBox(QStringLiteral("dentro"), 64);
        EXPECT_EQ(inner.Count(), 1);
    }
    MsgBox(QStringLiteral("fuera"), 16);
    ASSERT_EQ(outer.Count(), 1);
    EXPECT_EQ(outer.Last().text, QStringLiteral("fuera"));
}

struct StyleCase {
    int style;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::Icon icon;
    int enterAnswer;
    int escapeAnswer; // 0: Escape does not close the box
};

class MsgBoxStyleTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(MsgBoxStyleTest, BuildsButtonsIconDefaultAndKeys)
{
    const StyleCase& c = GetParam();
    auto box = BuildMessageBox(QStringLiteral("texto"), c.style, QStringLiteral("Título"));
    EXPECT_EQ(box->standardButtons(), c.buttons);
    EXPECT_EQ(box->standardButton(box->defaultButton()), c.defaultButton);
    EXPECT_EQ(box->icon(), c.icon);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Título"));
    EXPECT_EQ(box->text(), QStringLiteral("texto"));
    EXPECT_EQ(DefaultAnswer(c.style), c.enterAnswer);

    // Enter answers the default button.
    box->show();
    QTest::keyClick(box.get(), Qt::Key_Return);
    ASSERT_NE(box->clickedButton(), nullptr);
    EXPECT_EQ(AnswerOf(box->standardButton(box->clickedButton())), c.enterAnswer);

    auto esc = BuildMessageBox(QStringLiteral("texto"), c.style, QString());
    esc->show();
    QTest::keyClick(esc.get(), Qt::Key_Escape);
    if (c.escapeAnswer == 0) {
        EXPECT_EQ(esc->clickedButton(), nullptr);
        EXPECT_TRUE(esc->isVisible());
        EXPECT_FALSE(esc->close()) << "the close box must not dismiss it either";
    } else {
        ASSERT_NE(esc->clickedButton(), nullptr);
        EXPECT_EQ(AnswerOf(esc->standardButton(esc->clickedButton())), c.escapeAnswer);
    }
    esc->hide();
}

INSTANTIATE_TEST_SUITE_P(
    Styles, MsgBoxStyleTest,
    ::testing::Values(
        StyleCase{0, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::NoIcon, vbOK, vbOK},
        StyleCase{1, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::NoIcon, vbOK, vbCancel},
        StyleCase{16, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Critical, vbOK, vbOK},
        StyleCase{35, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                  QMessageBox::Question, vbYes, vbCancel},
        StyleCase{36, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::Question, vbYes, 0},
        StyleCase{48, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Warning, vbOK, vbOK},
        StyleCase{64, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Information, vbOK, vbOK},
        StyleCase{292, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, QMessageBox::Question, vbNo, 0},
        StyleCase{512 + 35, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel,
                  QMessageBox::Question, vbCancel, vbCancel},
        StyleCase{256 + 1, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel, QMessageBox::NoIcon,
                  vbCancel, vbCancel}),
    [](const ::testing::TestParamInfo<StyleCase>& info) { return "Style" + std::to_string(info.param.style); });

TEST(MsgBox, EmptyTitleShowsTheApplicationName)
{
    auto box = BuildMessageBox(QStringLiteral("x"), 0, QString());
    EXPECT_EQ(box->windowTitle(), QCoreApplication::applicationName());
    EXPECT_FALSE(box->windowTitle().isEmpty());
}

// Where no one can answer, a box is text on standard error and its default answer.
TEST(MsgBoxSinPantalla, WritesTitleAndTextToStandardErrorAndAnswersTheDefault)
{
    ::testing::internal::CaptureStderr();
    MsgBoxSinPantalla(true);
    const int pregunta = MsgBox(QStringLiteral("Se  detectado que ya existen las tablas del ZAV DE Morvath Desea "
                                               "Sobreescribirlas?"),
                                292, QStringLiteral("Mensaje"));
    const int aviso = MsgBox(QStringLiteral("Descripción\r\n 3024"), 16, QString());
    MsgBoxSinPantalla(false);
    const std::string salida = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(pregunta, vbNo);
    EXPECT_EQ(aviso, vbOK);
    EXPECT_EQ(QString::fromStdString(salida),
              QStringLiteral("Mensaje: Se  detectado que ya existen las tablas del ZAV DE Morvath Desea "
                             "Sobreescribirlas?\n%1: Descripción\n 3024\n")
                  .arg(QCoreApplication::applicationName()));
}

class MsgBoxLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("msgbox.log"));
        qputenv("ZAV_MSGBOX_LOG", path_.toLocal8Bit());
    }
    void TearDown() override { qunsetenv("ZAV_MSGBOX_LOG"); }

    QByteArray Log() const
    {
        QFile f(path_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
    QString path_;
};

TEST_F(MsgBoxLogTest, AppendsStyleTitleTextOneLinePerBoxInUtf8)
{
    MsgBoxRecorder rec;
    MsgBox(QStringLiteral("Debe ejecutar este módulo desde el Integrador del ZAV"), 16,
           QStringLiteral("Error al ejecutar el módulo"));
    MsgBox(QStringLiteral("¿Confirma que va a eliminar la declaración de\r\n\r\nEMPRESA SAC?"), 292,
           QStringLiteral("Declaraciones"));
    MsgBox(QStringLiteral("uno\ndos"), 64, QString());
    const QByteArray expected =
        QStringLiteral("16|Error al ejecutar el módulo|Debe ejecutar este módulo desde el Integrador del ZAV\n"
                       "292|Declaraciones|¿Confirma que va a eliminar la declaración de\\n\\nEMPRESA SAC?\n"
                       "64|%1|uno\\ndos\n")
            .arg(QCoreApplication::applicationName())
            .toUtf8();
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(rec.Count(), 3);
}

TEST_F(MsgBoxLogTest, NoVariableNoFile)
{
    qunsetenv("ZAV_MSGBOX_LOG");
    MsgBoxRecorder rec;
    MsgBox(QStringLiteral("x"), 0);
    EXPECT_FALSE(QFile::exists(path_));
}

} // namespace
