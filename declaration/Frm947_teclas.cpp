// Keys and mouse of the identification text fields: names, telephone, order and resolution
// numbers, place codes. The host filter runs first; the field's own character test applies
// to the key the filter returned.
#include "declaration/Frm947.h"

#include "common/Runtime.h"
#include "platform/hostsuite/clsUtilitarios.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

namespace {

const zav::clsUtilitarios& Util()
{
    static const zav::clsUtilitarios propio;
    return App().gUtil ? *App().gUtil : propio;
}

bool LetraDigitoEspacio(int k)
{
    return k == ' ' || (k >= 'A' && k <= 'Z') || (k >= 'a' && k <= 'z') || (k >= '0' && k <= '9') || k == 8;
}

} // namespace

int Frm947::Frm947_NombreEnter_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        EnviaTecla(QStringLiteral("TAB"));
    int k = Util().FiltraTeclaTexto(KeyAscii);
    if (!LetraDigitoEspacio(k))
        k = 0;
    mModificado = true;
    return k;
}

int Frm947::Frm947_txtNombreRL_KeyPress(int KeyAscii)
{
    int k = Util().FiltraTeclaTexto(KeyAscii);
    if (!LetraDigitoEspacio(k))
        k = 0;
    mModificado = true;
    return k;
}

int Frm947::Frm947_TxtTelefono_KeyPress(int KeyAscii)
{
    if (KeyAscii == 13)
        EnviaTecla(QStringLiteral("TAB"));
    const int k = Util().FiltraTeclaNumerica(KeyAscii);
    mModificado = true;
    return k;
}

int Frm947::Frm947_TxtNumOrdenF7842_KeyPress(int KeyAscii)
{
    const int k = Util().FiltraTeclaNumerica(KeyAscii);
    mModificado = true;
    return k;
}

int Frm947::Frm947_txtOrden_KeyPress(int KeyAscii)
{
    const int k = Util().FiltraTeclaNumerica(KeyAscii);
    if (k == 13)
        EnviaTecla(QStringLiteral("TAB"));
    return k;
}

void Frm947::Frm947_txtOrden_Change()
{
    mModificado = true;
}

int Frm947::Frm947_txtNumRes_KeyPress(int KeyAscii)
{
    mModificado = true;
    if ((KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == 8)
        return KeyAscii;
    return 0;
}

int Frm947::Frm947_txtNumRes_KeyDown(int KeyCode, int Shift)
{
    if ((KeyCode == 45 && Shift == 1) || KeyCode == 93)
        zav::SetClipboardText(QString());
    return KeyCode;
}

void Frm947::Frm947_Identificacion_MouseDown(int Button)
{
    if (Button == 2)
        zav::SetClipboardText(QString());
}

void Frm947::Frm947_TxtUbigeo_Change()
{
    App().gUbigeo = zav::Trim(TxtUbigeo->Text());
}

void Frm947::Frm947_TxtUbigeo2_Change()
{
    App().gUbigeo = zav::Trim(TxtUbigeo2->Text());
}

// The check code is two hexadecimal characters: digits and A to F, typed in either case.
int Frm947::Frm947_txtverifica_KeyPress(int KeyAscii)
{
    if ((KeyAscii >= 'A' && KeyAscii <= 'F') || (KeyAscii >= 'a' && KeyAscii <= 'f'))
        return KeyAscii & ~0x20;
    const int k = Util().FiltraTeclaNumerica(KeyAscii, 0, 0, 0);
    if (k == 13)
        EnviaTecla(QStringLiteral("TAB"));
    return k;
}
