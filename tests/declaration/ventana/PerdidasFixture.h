#pragma once
// The loss page of the declaration window driven as a user drives it: its buttons pressed,
// the editor filled in and accepted; and the loss rows and box 662 read back.
#include "ReaperturaFixture.h"

#include "declaration/frmPerdidaEjercAnt.h"

#include <QPushButton>
#include <QStandardItemModel>

#include <functional>
#include <vector>

struct FilaPerdida {
    QString anho;
    QString importe;
    QString control;
    bool operator==(const FilaPerdida&) const = default;
};

inline void PrintTo(const FilaPerdida& f, std::ostream* os)
{
    *os << f.anho.toStdString() << "/" << f.importe.toStdString() << "/" << f.control.toStdString();
}

// Another user's KZ947 on the same database file: its own connection, which is the
// program's connection while its window acts.
class OtroUsuario {
public:
    explicit OtroUsuario(const QString& archivo) : db_(dao::Database::Open(archivo)) {}

    void Actua(const std::function<void()>& accion)
    {
        std::swap(App().gBaseDatos, db_);
        struct Vuelve {
            std::unique_ptr<dao::Database>& db;
            ~Vuelve() { std::swap(App().gBaseDatos, db); }
        } vuelve{db_};
        accion();
    }

    std::unique_ptr<Frm947> ventana;

private:
    std::unique_ptr<dao::Database> db_;
};

class PerdidasFixture : public ReaperturaFixture {
protected:
    // The loss page brought forward as code brings it (no identification check).
    static void MuestraPagina(Frm947& f)
    {
        f.SSTab1->setCurrentIndex(3);
        f.SSTab4->setCurrentIndex(1);
        f.Frm947_SSTab4_GotFocus();
    }

    // The loss page brought forward with box 108 holding an amount.
    static void PaginaPerdidas(Frm947& f)
    {
        Casilla(f, 108, QStringLiteral("1,000"));
        MuestraPagina(f);
    }

    // Presses a loss button; `enEditor` runs on the editor if it opens. True when it opened.
    bool Boton(Frm947& f, int indice, const std::function<void(frmPerdidaEjercAnt&)>& enEditor = {})
    {
        bool abierto = false;
        zav::ModalRunnerScope runner([&](QDialog& dlg) {
            auto* e = qobject_cast<frmPerdidaEjercAnt*>(&dlg);
            if (!e)
                return 0;
            abierto = true;
            e->Form_Activate();
            if (enEditor)
                enEditor(*e);
            return e->result();
        });
        EXPECT_TRUE(f.cmdPerdida.at(indice)->isEnabled());
        f.cmdPerdida.at(indice)->click();
        return abierto;
    }

    // Adds a row as a user types it into the editor and presses Aceptar.
    bool Nueva(Frm947& f, const QString& anho, const QString& importe)
    {
        return Boton(f, 0, [&](frmPerdidaEjercAnt& e) {
            e.MkeAnho->SetText(anho);
            e.txtImporte_GotFocus();
            e.txtImporte->SetText(importe);
            e.txtImporte_LostFocus();
            e.cmdAccion_Click(0);
        });
    }

    // Gives the current row of the grid a new amount through Modificar.
    bool Cambia(Frm947& f, int fila, const QString& importe)
    {
        f.grdPerdidaTributaria->setCurrentIndex(f.dtaPerdidaTributaria->index(fila, 4));
        return Boton(f, 1, [&](frmPerdidaEjercAnt& e) {
            e.txtImporte->SetText(importe);
            e.txtImporte_LostFocus();
            e.cmdAccion_Click(0);
        });
    }

    // Deletes a row of the grid through Eliminar, confirmed.
    void Elimina(Frm947& f, int fila)
    {
        f.grdPerdidaTributaria->setCurrentIndex(f.dtaPerdidaTributaria->index(fila, 4));
        msgs_->PushAnswer(zav::vbYes);
        Boton(f, 2);
    }

    static std::vector<FilaPerdida> Filas(const QString& tabla = QStringLiteral("F0947_PTCEA"))
    {
        std::vector<FilaPerdida> v;
        auto rs = App().gBaseDatos->OpenRecordset(QStringLiteral("SELECT * FROM ") + tabla + QStringLiteral(" ORDER BY Anho"),
                                                  dao::dbOpenSnapshot);
        for (; !rs->Eof(); rs->MoveNext())
            v.push_back({rs->Fields(QStringLiteral("Anho")).Value().toText(),
                         rs->Fields(QStringLiteral("Importe")).Value().toText(),
                         rs->Fields(QStringLiteral("cnumero")).Value().toText()});
        return v;
    }

    static QString ControlPerdida(const QString& ruc, const QString& periodo, const QString& anho, const QString& importe)
    {
        return Control({QStringLiteral("6"), ruc, periodo, QStringLiteral("0947"), anho}, {importe});
    }

    static QStringList Rejilla(const Frm947& f)
    {
        QStringList l;
        for (int r = 0; r < f.dtaPerdidaTributaria->rowCount(); ++r)
            l << f.dtaPerdidaTributaria->item(r, 4)->text() + QLatin1Char('=') + f.dtaPerdidaTributaria->item(r, 5)->text();
        return l;
    }

    // Box 662 as stored for the declaration of the period; "" when it has no such row.
    static QString Casilla662(const QString& periodo)
    {
        const auto det = GrabacionFixture::Filas(periodo);
        const auto it = det.find(QStringLiteral("662"));
        return it == det.end() ? QString() : it->second.valor;
    }

    static constexpr const char* kPeriodo = "201408";

    // A General declaration of the 31 July 2014 balance, stored through the window with
    // the loss rows 2011 (4,000) and 2012 (1,500).
    void GuardadaConPerdidas()
    {
        Frm947& f = Llena(0, 2014);
        PaginaPerdidas(f);
        ASSERT_TRUE(Nueva(f, QStringLiteral("2011"), QStringLiteral("4000")));
        ASSERT_TRUE(Nueva(f, QStringLiteral("2012"), QStringLiteral("1500")));
        f.CmdGrabar_Click();
        ASSERT_EQ(Casilla662(QString::fromLatin1(kPeriodo)), QStringLiteral("2")) << msgs_->Texts().join(QLatin1Char('|')).toStdString();
        ASSERT_EQ(Filas(), Guardadas());
        msgs_->Clear();
    }

    // The stored declaration of kPeriodo opened in a window of its own, as Modificar
    // opens it.
    static std::unique_ptr<Frm947> AbreGuardada()
    {
        App().gPeriodo = App().gPeriodoSel = QString::fromLatin1(kPeriodo);
        auto f = std::make_unique<Frm947>();
        f->Modo = 1;
        f->NumDocumento = QString::fromLatin1(kRuc);
        f->RazonSocial = QStringLiteral("EMPRESA");
        f->Frm947_Form_Load();
        f->Frm947_Form_Activate();
        return f;
    }

    // The stored rows agree with the stored box 662.
    static void CuentaGuardada()
    {
        EXPECT_EQ(Casilla662(QString::fromLatin1(kPeriodo)), QString::number(Filas().size()));
    }

    static std::vector<FilaPerdida> Guardadas()
    {
        const QString ruc = QString::fromLatin1(kRuc);
        const QString per = QString::fromLatin1(kPeriodo);
        return {{QStringLiteral("2011"), QStringLiteral("4000"), ControlPerdida(ruc, per, "2011", "4000")},
                {QStringLiteral("2012"), QStringLiteral("1500"), ControlPerdida(ruc, per, "2012", "1500")}};
    }
};
