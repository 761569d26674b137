#pragma once
// A box model with a view that records what the window would be told and answers what
// the window would be asked.
#include "declaration/amounts/CasillasModelo.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <utility>
#include <vector>

struct VistaRegistro : VistaCasillas {
    // The module state the model reads; PeriodoElegido writes it as the window does.
    DatosModulo modulo;
    std::vector<QString> periodos;
    std::vector<Hallazgo> avisos;
    std::vector<Hallazgo> preguntas;
    std::deque<bool> respuestas; // answers to the questions in turn; OK when none is left
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

    DatosModulo Modulo() const override { return modulo; }
    void PeriodoElegido(const QString& periodo) override
    {
        modulo.Periodo = periodo;
        periodos.push_back(periodo);
    }
    void Avisar(const Hallazgo& hallazgo) override { avisos.push_back(hallazgo); }
    bool Preguntar(const Hallazgo& pregunta) override
    {
        preguntas.push_back(pregunta);
        if (respuestas.empty())
            return true;
        const bool r = respuestas.front();
        respuestas.pop_front();
        return r;
    }
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

    // Forgets what it was told and asked; the module state stays.
    void Limpia()
    {
        const DatosModulo d = modulo;
        *this = VistaRegistro();
        modulo = d;
    }

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
    void SetUp() override { vista.modulo.Periodo = QStringLiteral("201608"); }

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

    VistaRegistro vista;
    CasillasModelo m{&vista};
};

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const Hallazgo& h, std::ostream* os)
{
    *os << "{\"" << h.Texto.toStdString() << "\", " << h.Estilo << ", \"" << h.Titulo.toStdString() << "\", box "
        << h.Casilla << ", partner " << h.Pareja << ", pages " << h.PaginaSSTab1 << "/" << h.PaginaSSTab4 << "}";
}
