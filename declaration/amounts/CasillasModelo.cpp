#include "declaration/amounts/CasillasModelo.h"

#include "common/Runtime.h"
#include "platform/hostsuite/clsUtilitarios.h"

#include <algorithm>
#include <cmath>

using zav::Left;
using zav::Len;
using zav::Trim;

DatosModulo VistaCasillas::Modulo() const { return {}; }
void VistaCasillas::PeriodoElegido(const QString&) {}
void VistaCasillas::Avisar(const Hallazgo&) {}
bool VistaCasillas::Preguntar(const Hallazgo&) { return true; }
void VistaCasillas::TextoCambiado(int, const QString&) {}
void VistaCasillas::EstadoCambiado(int, const EstadoCasilla&) {}
void VistaCasillas::PerdidasDisponibles(bool) {}
void VistaCasillas::FrameMypeVisible(bool) {}
void VistaCasillas::FocoA(int) {}
void VistaCasillas::MostrarPaginas(int, int) {}
void VistaCasillas::DesplazarActivo(int) {}
void VistaCasillas::EnviarTab() {}
void VistaCasillas::ProcesarEventos() {}
void VistaCasillas::AbrirAnexo(int) {}
void VistaCasillas::VaciarPortapapeles() {}

namespace {

VistaCasillas& SinVista()
{
    static VistaCasillas nada;
    return nada;
}

// Position of each box number in ListaCasillas, -1 for a number that is no box.
int Posicion(int casilla)
{
    static const std::vector<int> posiciones = [] {
        const std::vector<int>& lista = ListaCasillas();
        std::vector<int> v(*std::max_element(lista.begin(), lista.end()) + 1, -1);
        for (size_t i = 0; i < lista.size(); ++i)
            v[lista[i]] = static_cast<int>(i);
        return v;
    }();
    return casilla >= 0 && casilla < static_cast<int>(posiciones.size()) ? posiciones[casilla] : -1;
}

// Derived boxes: computed only, locked and grey.
constexpr int kDerivadas[] = {100, 101, 106, 107, 110, 111, 250, 253, 463, 466, 467, 470,
                              471, 484, 485, 487, 489, 492, 493, 531, 543, 554, 555, 610};

} // namespace

VistaCasillas& CasillasModelo::V() const
{
    return vista_ ? *vista_ : SinVista();
}

CasillasModelo::CasillasModelo(VistaCasillas* vista, const zav::clsUtilitarios* util)
    : vista_(vista)
    , util_(util)
{
    casillas_.resize(ListaCasillas().size());
    for (int n : kDerivadas) {
        Buscar(n)->estado.Locked = true;
        Buscar(n)->estado.BackColor = kColorGris;
    }
    // 113 is grey but its lock follows the regime.
    Buscar(113)->estado.BackColor = kColorGris;
    Buscar(477)->estado.BackColor = kColorCian;
    Buscar(209)->estado.Enabled = false;
}

const zav::clsUtilitarios& CasillasModelo::Util() const
{
    static const zav::clsUtilitarios propio;
    return util_ ? *util_ : propio;
}

bool CasillasModelo::Existe(int casilla) const
{
    return Posicion(casilla) >= 0;
}

CasillasModelo::Casilla* CasillasModelo::Buscar(int casilla)
{
    const int i = Posicion(casilla);
    return i < 0 ? nullptr : &casillas_[i];
}

const CasillasModelo::Casilla* CasillasModelo::Buscar(int casilla) const
{
    const int i = Posicion(casilla);
    return i < 0 ? nullptr : &casillas_[i];
}

QString CasillasModelo::Texto(int casilla) const
{
    const Casilla* c = Buscar(casilla);
    return c ? c->texto : QString();
}

void CasillasModelo::PonTexto(int casilla, const QString& texto)
{
    Casilla* c = Buscar(casilla);
    if (!c || c->texto == texto)
        return;
    c->texto = texto;
    c->importe = ImporteTexto(texto);
    V().TextoCambiado(casilla, texto);
    TxtValor_Change(casilla);
}

const EstadoCasilla& CasillasModelo::Estado(int casilla) const
{
    static const EstadoCasilla ninguno;
    const Casilla* c = Buscar(casilla);
    return c ? c->estado : ninguno;
}

void CasillasModelo::PonerEstado(int casilla, const EstadoCasilla& estado)
{
    Casilla* c = Buscar(casilla);
    if (!c || c->estado == estado)
        return;
    c->estado = estado;
    // The box's own state, not the caller's copy: disabling a focused box runs its
    // LostFocus inside this call, which sets the box again, and the window must end up
    // showing that latest state.
    V().EstadoCambiado(casilla, c->estado);
}

void CasillasModelo::PonEstado(int casilla, const EstadoCasilla& estado)
{
    PonerEstado(casilla, estado);
}

void CasillasModelo::PonEnabled(int casilla, bool enabled)
{
    EstadoCasilla e = Estado(casilla);
    e.Enabled = enabled;
    PonerEstado(casilla, e);
}

void CasillasModelo::PonLocked(int casilla, bool locked)
{
    EstadoCasilla e = Estado(casilla);
    e.Locked = locked;
    PonerEstado(casilla, e);
}

void CasillasModelo::PonBackColor(int casilla, int color)
{
    EstadoCasilla e = Estado(casilla);
    e.BackColor = color;
    PonerEstado(casilla, e);
}

void CasillasModelo::PonMaxLength(int casilla, int maxLength)
{
    EstadoCasilla e = Estado(casilla);
    e.MaxLength = maxLength;
    PonerEstado(casilla, e);
}

void CasillasModelo::PreparaCasillasDelAnio()
{
    if (Anio() >= 2013)
        PonBackColor(473, kColorCian);
}

double CasillasModelo::Importe(int casilla) const
{
    const Casilla* c = Buscar(casilla);
    return c ? c->importe : 0;
}

bool CasillasModelo::Vacia(int casilla) const
{
    const Casilla* c = Buscar(casilla);
    return !c || c->texto.isEmpty();
}

double CasillasModelo::Abs(int casilla) const
{
    return std::fabs(Importe(casilla));
}

int CasillasModelo::Anio() const
{
    return AnioPeriodo(V().Modulo().Periodo);
}

// ---- change of a box -------------------------------------------------------------------

void CasillasModelo::TxtValor_Change(int Index)
{
    const int n = Index;
    if (n == 100 || n == 101 || n == 103 || n == 105) {
        Calcular106y107();
    } else if (n == 106 || n == 107 || n == 108 || n == 150) {
        Calcular110y111();
        if (n == 108)
            V().PerdidasDisponibles(PerdidasDisponibles(Texto(108)));
    } else if (n == 110) {
        // Under MYPE the income test follows, so that the hidden boxes stay empty when the
        // income is above 300 tax units.
        if (resp_.optRenta == 5) {
            Calcular250();
            IngresoNetos();
        }
    } else if (n == 113) {
        Calcular113();
    } else if (n == 208) {
        if (!resp_.mCargando)
            ValidaRuc(208);
    } else if (n == 211) {
        pTemCasillas(211, 212);
    } else if (n == 212) {
        pTemCasillas(212, 211);
    } else if (n == 226) {
        if (!resp_.mCargando)
            ValidaRuc(226);
    } else if (n == 250 || n == 251 || n == 252) {
        Calcular253();
    } else if (n == 433) {
        IngresoNetos();
    } else if (n == 461 || n == 462) {
        Calcular463();
    } else if (n == 463 || n == 464) {
        Calcular466y467();
        IngresoNetos();
    } else if (n >= 466 && n <= 469) {
        Calcular470y471();
    } else if ((n >= 470 && n <= 473) || (n >= 475 && n <= 478) || n == 480) {
        Calcular484y485();
        if (n == 473 || n == 475 || n == 477)
            IngresoNetos();
    } else if (n == 481) {
        pTemCasillas(481, 483);
        Calcular484y485();
    } else if (n == 483) {
        pTemCasillas(483, 481);
        Calcular484y485();
    } else if (n >= 484 && n <= 486) {
        Calcular487y489();
    } else if (n == 487 || n == 489 || n == 490) {
        Calcular492y493();
    } else if (n >= 500 && n <= 530) {
        Calcular531();
    } else if (n >= 532 && n <= 542) {
        Calcular543();
        Calcular554();
        Calcular555();
    } else if (n >= 544 && n <= 549) {
        Calcular554();
        Calcular555();
    } else if (n >= 550 && n <= 553) {
        static constexpr int pareja[] = {551, 550, 553, 552};
        pTemCasillas(n, pareja[n - 550]);
        Calcular554();
        Calcular555();
    } else if (n == 610) {
        if (Anio() < 2013) {
            const bool sistemaA = V().Modulo().Sistema == QLatin1String("A");
            PonTexto(610, FormatoCoeficiente(Texto(610), sistemaA ? kMascaraCoefA : kMascaraCoefB));
        }
    }

    // From 2013 box 481 is part of the coefficient's income.
    if (n == 113 || n == 461 || n == 462 || n == 473 || n == 475 || n == 477 || (n == 481 && Anio() >= 2013))
        Calcular_coeficiente();

    if (!resp_.mCargando)
        resp_.mModificado = true;
}

std::vector<Hallazgo> CasillasModelo::RevisaRuc(int casilla) const
{
    std::vector<Hallazgo> hallazgos;
    const QString texto = Texto(casilla);
    auto falla = [&](const QString& mensaje, int paginaSSTab4) {
        hallazgos.push_back(Hallazgo{mensaje, 16, resp_.Caption, casilla, 0, 3, paginaSSTab4});
    };
    if (casilla == 208 && Len(texto) == 11) {
        if (!Util().ValidaRUC(Trim(texto)))
            falla(QStringLiteral("El RUC no es Válido."), -1);
        if (Trim(texto) == Trim(resp_.NumDocumento))
            falla(QStringLiteral("El RUC no puede ser igual al RUC del Contribuyente."), -1);
    } else if (casilla == 226 && Left(resp_.TipDocRepLegal, 2) == QLatin1String("06") && Len(texto) == 11) {
        if (!Util().ValidaRUC(Trim(texto)))
            falla(QStringLiteral("El RUC no es válido."), 0);
    }
    return hallazgos;
}

void CasillasModelo::ValidaRuc(int casilla)
{
    for (const Hallazgo& h : RevisaRuc(casilla)) {
        V().Avisar(h);
        V().MostrarPaginas(h.PaginaSSTab1, h.PaginaSSTab4);
        V().FocoA(h.Casilla);
    }
}

// ---- focus, keys and mouse ---------------------------------------------------------------

void CasillasModelo::TxtValor_GotFocus(int Index)
{
    if (!Existe(Index) || Estado(Index).Locked)
        return;
    const FormatoFoco f = TextoEdicion(Index, Texto(Index), resp_.optRenta == 4, resp_.TipDocRepLegal);
    PonMaxLength(Index, f.MaxLength);
    PonTexto(Index, f.Texto);
}

void CasillasModelo::TxtValor_LostFocus(int Index)
{
    if (!Existe(Index) || Estado(Index).Locked)
        return;
    const bool enabled = Estado(Index).Enabled;
    const FormatoFoco f =
        TextoPresentacion(Index, Texto(Index), enabled, V().Modulo().ModoEnviadas, resp_.TipDocRepLegal);
    if (f.MaxLength >= 0)
        PonMaxLength(Index, f.MaxLength);
    PonTexto(Index, f.Texto);
    if (!enabled)
        return;
    if (Index == 477)
        V().FocoA(478);
    else if (Index == 473)
        V().FocoA(475);
}

void CasillasModelo::NavegarEnter(int Index, bool enviarTab)
{
    const NavegacionEnter d = DestinoEnter(Index);
    if (d.Foco != 0) {
        if (d.Scroll >= 0)
            V().DesplazarActivo(d.Scroll);
        V().FocoA(d.Foco);
    } else if (enviarTab) {
        V().EnviarTab();
    }
}

void CasillasModelo::TxtValor_KeyPress(int Index, int& KeyAscii)
{
    const bool anexo = Index == 473 || Index == 477;
    if (Util().FiltraTeclaNumerica(KeyAscii) == 0) {
        if (KeyAscii == 13)
            NavegarEnter(Index, !anexo);
        if (Index != 226 && !anexo)
            KeyAscii = 0;
    }
    if (KeyAscii == 13) {
        if (Index == 103 || Index == 105) {
            V().ProcesarEventos();
            V().FocoA(Index);
            V().ProcesarEventos();
            V().EnviarTab();
        } else if (Index != 113) {
            NavegarEnter(Index, !anexo && Index != 226);
        }
    }
    const int tecla = KeyAscii;
    KeyAscii = TeclaCaracter(Index, KeyAscii, resp_.TipDocRepLegal);
    if (anexo && (tecla == 13 || (tecla >= '0' && tecla <= '9'))) {
        V().AbrirAnexo(Index);
        V().ProcesarEventos();
        Calcular_coeficiente();
    }
    resp_.mModificado = true;
}

void CasillasModelo::TxtValor_KeyDown(int Index, int& KeyCode, int Shift)
{
    if ((KeyCode == 45 && Shift == 1) || KeyCode == 93)
        V().VaciarPortapapeles();
    if ((Index == 473 || Index == 477) && KeyCode == 46)
        KeyCode = 0;
}

void CasillasModelo::TxtValor_DblClick(int Index)
{
    if (Index != 473 && Index != 477)
        return;
    V().AbrirAnexo(Index);
    Calcular_coeficiente();
}

void CasillasModelo::TxtValor_MouseDown(int, int Button)
{
    if (Button == 2)
        V().VaciarPortapapeles();
}

LineaAyuda CasillasModelo::TxtValor_MouseMove(int Index, int paginaSSTab1) const
{
    return AyudaCasilla(Index, paginaSSTab1);
}

void CasillasModelo::AnexoCerrado()
{
    Calcular_coeficiente();
}

void CasillasModelo::LblSistema_Change()
{
    Calcular_coeficiente();
}

// ---- mutually exclusive boxes ------------------------------------------------------------

void CasillasModelo::pTemCasillas(int casilla, int pareja)
{
    // Asked at once: the calculations that follow must see the box that stays alone.
    if (const std::optional<Hallazgo> pregunta = PreguntaExcluyentes(casilla, pareja))
        RespondeExcluyentes(*pregunta, V().Preguntar(*pregunta));
}

std::optional<Hallazgo> CasillasModelo::PreguntaExcluyentes(int casilla, int pareja) const
{
    auto lleno = [&](int n) {
        if (casilla == 211 || casilla == 212)
            return !Texto(n).isEmpty();
        return Abs(n) != 0;
    };
    if (!lleno(casilla) || !lleno(pareja))
        return std::nullopt;
    const QString primero = QString::number(casilla);
    const QString otro = QString::number(pareja);
    const QString texto = QStringLiteral("Las casillas ") + primero + QStringLiteral(" y ") + otro +
        QStringLiteral(" son excluyentes, si desea registrar ") + QStringLiteral("información en la casilla ") +
        primero + QStringLiteral(" debe eliminar la información registrada en la ") + otro + QStringLiteral(".");
    return Hallazgo{texto, 1, resp_.Caption, casilla, pareja};
}

void CasillasModelo::RespondeExcluyentes(const Hallazgo& pregunta, bool aceptada)
{
    if (aceptada) {
        PonTexto(pregunta.Pareja, QString());
        V().FocoA(pregunta.Casilla);
    } else {
        PonTexto(pregunta.Casilla, QString());
        V().FocoA(pregunta.Pareja);
    }
}
