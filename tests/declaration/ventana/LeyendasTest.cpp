// The caption shown beside each box of the declaration window.
#include "VentanaFixture.h"

#include <QGridLayout>
#include <QLabel>

namespace {

using VentanaLeyendas = VentanaFixture;

// The text of the label in the box's own row of its grid, as the user reads it.
QString Leyenda(Frm947& f, int casilla)
{
    QWidget* caja = f.TxtValor.at(casilla);
    auto* rejilla = qobject_cast<QGridLayout*>(caja->parentWidget()->layout());
    if (!rejilla)
        return QStringLiteral("<sin rejilla>");
    const int i = rejilla->indexOf(caja);
    if (i < 0)
        return QStringLiteral("<fuera de la rejilla>");
    int fila = 0, columna = 0, filas = 0, columnas = 0;
    rejilla->getItemPosition(i, &fila, &columna, &filas, &columnas);
    QLayoutItem* item = rejilla->itemAtPosition(fila, 0);
    auto* etiqueta = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
    return etiqueta ? etiqueta->text() : QStringLiteral("<sin etiqueta>");
}

TEST_F(VentanaLeyendas, EveryNamedBoxShowsItsCaption)
{
    const struct {
        int casilla;
        const char* leyenda;
    } casos[] = {
        // tax and coefficient
        {110, "Renta neta imponible"},
        {111, "Pérdida trib. del ejercicio"},
        {150, "Inversión en Amazonía"},
        {610, "NUEVO COEFICIENTE O PORCENTAJE"},
        // small-business frame
        {250, "Imp. a la Renta proyectado"},
        {251, "Pagos a cuenta realizados"},
        {252, "Saldo a favor del año anterior"},
        {253, "Monto pendiente de pago"},
        // the exclusive pairs
        {211, " C.P.C. Nro."},
        {212, "C.M.A. Nro:"},
        {481, " REI del Ejercicio Positivo"},
        {483, " REI del Ejercicio Negativo"},
        {550, "Resultados acumulados positivo"},
        {551, "Resultados acumulados negativos"},
        {552, "Utilidad del Ejercicio"},
        {553, "Pérdida del Ejercicio"},
        // the boxes filled through the annex
        {473, "Ingresos financieros gravados"},
        {477, "Enajen. de val. y bienes del Act. F."},
    };
    Frm947& f = Abrir();
    for (const auto& c : casos)
        EXPECT_EQ(Leyenda(f, c.casilla), QString::fromUtf8(c.leyenda)) << c.casilla;
}

TEST_F(VentanaLeyendas, TheFormsNameIsNoCaption)
{
    Frm947& f = Abrir();
    for (QLabel* l : f.findChildren<QLabel*>())
        EXPECT_FALSE(l->text().contains(QStringLiteral("Morvath"))) << l->text().toStdString();
}

} // namespace
