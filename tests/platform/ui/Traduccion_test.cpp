// Message boxes speak Spanish once Qt's own translation is loaded.
#include "platform/ui/MsgBox.h"
#include "platform/ui/Traduccion.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace {

// The caption of a standard button without its access-key marker.
QString Boton(int estilo, QMessageBox::StandardButton b)
{
    auto box = zav::BuildMessageBox(QStringLiteral("texto"), estilo, QStringLiteral("titulo"));
    QAbstractButton* boton = box->button(b);
    return boton ? boton->text().remove(QLatin1Char('&')) : QStringLiteral("<none>");
}

TEST(TraduccionQt, StandardButtonsOfEveryStyleInSpanish)
{
    // Without the translation Qt's English shows: the test would see the fault.
    EXPECT_EQ(Boton(36, QMessageBox::Yes), QStringLiteral("Yes"));

    // A folder without the file: nothing is installed, the program goes on.
    QTemporaryDir vacia;
    EXPECT_FALSE(zav::CargaTraduccionQt(vacia.path()));
    EXPECT_EQ(Boton(36, QMessageBox::Yes), QStringLiteral("Yes"));

    ASSERT_TRUE(zav::CargaTraduccionQt());
    struct Caso {
        int estilo;
        std::vector<std::pair<QMessageBox::StandardButton, const char*>> botones;
    };
    const Caso casos[] = {
        {0, {{QMessageBox::Ok, "Aceptar"}}},
        {1, {{QMessageBox::Ok, "Aceptar"}, {QMessageBox::Cancel, "Cancelar"}}},
        {16, {{QMessageBox::Ok, "Aceptar"}}},
        {35, {{QMessageBox::Yes, "Sí"}, {QMessageBox::No, "No"}, {QMessageBox::Cancel, "Cancelar"}}},
        {36, {{QMessageBox::Yes, "Sí"}, {QMessageBox::No, "No"}}},
        {292, {{QMessageBox::Yes, "Sí"}, {QMessageBox::No, "No"}}},
    };
    for (const Caso& c : casos)
        for (const auto& [boton, texto] : c.botones)
            EXPECT_EQ(Boton(c.estilo, boton), QString::fromUtf8(texto)) << "style " << c.estilo;
}

} // namespace
