#pragma once
// A box model with a view that records what the window would be told.
#include "declaration/amounts/CasillasModelo.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

struct VistaRegistro : VistaCasillas {
    std::vector<std::pair<int, QString>> textos;
    std::vector<int> estados;
    std::vector<int> focos;
    std::vector<std::pair<int, int>> paginas;
    std::vector<int> scrolls;
    std::vector<int> anexos;
    std::optional<bool> perdidas;
    std::optional<bool> mype;
    int tabs = 0;
    int eventos = 0;
    int portapapeles = 0;

    void TextoCambiado(int casilla, const QString& texto) override { textos.emplace_back(casilla, texto); }
    void EstadoCambiado(int casilla, const EstadoCasilla&) override { estados.push_back(casilla); }
    void PerdidasDisponibles(bool disponible) override { perdidas = disponible; }
    void FrameMypeVisible(bool visible) override { mype = visible; }
    void FocoA(int casilla) override { focos.push_back(casilla); }
    void MostrarPaginas(int p1, int p4) override { paginas.emplace_back(p1, p4); }
    void DesplazarActivo(int valor) override { scrolls.push_back(valor); }
    void EnviarTab() override { ++tabs; }
    void ProcesarEventos() override { ++eventos; }
    void AbrirAnexo(int casilla) override { anexos.push_back(casilla); }
    void VaciarPortapapeles() override { ++portapapeles; }

    int CambiosDe(int casilla) const
    {
        int n = 0;
        for (const auto& t : textos)
            n += t.first == casilla;
        return n;
    }
};

// A box and its text, for tables of cases.
using Caja = std::pair<int, const char*>;

class CasillasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppState();
        App().gPeriodo = QStringLiteral("201608");
    }
    void TearDown() override { ResetAppState(); }

    void Pon(const std::vector<Caja>& cajas)
    {
        for (const auto& [n, t] : cajas)
            m.PonTexto(n, QString::fromUtf8(t));
    }
    void Espera(const std::vector<Caja>& cajas, const char* caso = "")
    {
        for (const auto& [n, t] : cajas)
            EXPECT_EQ(m.Texto(n), QString::fromUtf8(t)) << caso << ": box " << n;
    }

    zav::MsgBoxRecorder mensajes;
    VistaRegistro vista;
    CasillasModelo m{&vista};
};

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
