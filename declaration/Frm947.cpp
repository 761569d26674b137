#include "declaration/Frm947.h"

#include "declaration/Frm947_paginas.h"
#include "declaration/frmAnexo477.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/ModalRunner.h"
#include "platform/ui/MsgBox.h"
#include "shell/modulo/AppState.h"
#include "shell/modulo/Procedimientos.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Box descriptions as the paper form words them.
struct Descripcion {
    int casilla;
    const char* texto;
};

constexpr Descripcion kDescripciones[] = {
    {500, "Caja y Bancos"},
    {501, "Inv valor razonable y disp para la vta"},
    {502, "Ctas por cobrar comerciales - terc"},
    {503, "Ctas por cobrar comerciales - Relac"},
    {504, "Ctas p cob per.acc, soc, dir y ger"},
    {505, "Ctas por cobrar diversas - Terceros"},
    {506, "Ctas por cobrar diversas - Relacionadas"},
    {507, "Serv y otros contratados por anticipado"},
    {508, "Estimación ctas de cobranza dudosa"},
    {509, "Mercaderias"},
    {510, "Productos terminados"},
    {511, "Subprod., desechos y desperdicios"},
    {512, "Productos en proceso"},
    {513, "Materias primas"},
    {514, "Materiales aux, suministros y repuestos"},
    {515, "Envases y embalajes"},
    {516, "Existencias por recibir"},
    {517, "Desvalorización de Existencias"},
    {518, "Activos no ctes mantenidos para la vta"},
    {519, "Otros activos corrientes"},
    {520, "Inversiones mobiliarias"},
    {521, "Inversiones inmobiliarias (1)"},
    {522, "Activ. Adq. en arrendamiento finan. (2)"},
    {523, "Inmuebles, maquinaria y equipo"},
    {524, "Depreciación (1) y (2) e IME acumulados"},
    {525, "Intangibles"},
    {526, "Activos biológicos"},
    {527, "Deprec act biol, amort y agotam acum"},
    {528, "Desvalorización de activo inmovilizado"},
    {529, "Activo Diferido"},
    {530, "Otros Activos no corrientes"},
    {531, "TOTAL ACTIVO NETO"},
    {532, "Sobregiros bancarios"},
    {533, "Trib y aport sist pens y salud p pagar"},
    {534, "Remuneraciones y part. por pagar"},
    {535, "Ctas por pagar comerciales - Terceros"},
    {536, "Ctas por pagar comerciales - Relac"},
    {537, "Ctas p pagar accion, directores y ger"},
    {538, "Cuentas por pagar diversas - Terceros"},
    {539, "Ctas por pagar diversas - Relacionadas"},
    {540, "Obligaciones Financieras"},
    {541, "Provisiones"},
    {542, "Pasivo diferido"},
    {543, "TOTAL PASIVO"},
    {544, "Capital"},
    {545, "Acciones de inversión"},
    {546, "Capital adicional"},
    {547, "Resultados no realizados"},
    {548, "Excedente de revaluación"},
    {549, "Reservas"},
    {550, "Resultados acumulados positivo"},
    {551, "Resultados acumulados negativos"},
    {552, "Utilidad del Ejercicio"},
    {553, "Pérdida del Ejercicio"},
    {554, "TOTAL PATRIMONIO"},
    {555, "TOTAL PASIVO Y PATRIMONIO"},
    {461, "Ventas Netas o ingresos por servicios"},
    {462, "(-) Descuentos, rebajas y bonificaciones concedidas"},
    {463, "Ventas Netas"},
    {464, "(-) Costo de Ventas"},
    {466, "Resultado Bruto - Utilidad"},
    {467, "Resultado Bruto - Pérdida"},
    {468, "(-) Gastos de venta"},
    {469, "(-) Gastos de administración"},
    {470, "Resultado de operación - Utilidad"},
    {471, "Resultado de operación - Pérdida"},
    {472, "(-) Gastos financieros"},
    {473, "Ingresos financieros gravados"},
    {475, "(+) Otros ingresos gravados"},
    {476, "(+) Otros ingresos no gravados"},
    {477, "Enajen. de val. y bienes del Act. F."},
    {478, "(-) Costo enajenación de valores y bienes activo fijo"},
    {480, "(-) Gastos diversos"},
    {481, " REI del Ejercicio Positivo"},
    {483, " REI del Ejercicio Negativo"},
    {484, "Resultado antes de participaciones - Utilidad"},
    {485, "Resultado antes de participaciones - Pérdida"},
    {486, "(-) Distribución legal de la renta"},
    {487, "Resultado antes del impuesto - Utilidad"},
    {489, "Resultado antes del impuesto - Pérdida"},
    {490, "(-) Impuesto a la Renta"},
    {492, "Resultado del ejercicio - Utilidad"},
    {493, "Resultado del ejercicio - Pérdida"},
    {100, "Utilidad antes del impuesto"},
    {101, "Pérdida del ejercicio"},
    {103, "(+) Adiciones para determinar la renta imponible"},
    {105, "(-) Deducciones para determinar la renta imponible"},
    {106, "Renta neta del ejercicio"},
    {107, "Pérdida del ejercicio"},
    {108, "(-) Pérdida tributaria compensable de ejercicios anteriores"},
    {150, "Inversión en Amazonía"},
    {110, "Renta neta imponible"},
    {111, "Pérdida trib. del ejercicio"},
    {113, "Impuesto a la Renta"},
    {250, "Imp. a la Renta proyectado"},
    {251, "Pagos a cuenta realizados"},
    {252, "Saldo a favor del año anterior"},
    {253, "Monto pendiente de pago"},
    {610, "NUEVO COEFICIENTE O PORCENTAJE"},
    {432, "Ingresos afectos"},
    {433, "Ingresos exonerados"},
    {650, "Ingresos financieros gravados"},
    {651, "Ingresos financieros por diferencia de tipo de cambio"},
    {208, "RUC"},
    {209, "Código de zona de la colegiatura o registro"},
    {211, " C.P.C. Nro."},
    {212, "C.M.A. Nro:"},
    {225, "Tipo de Documento"},
    {226, "Número de Documento"},
};

QString DescripcionCasilla(int n)
{
    for (const auto& d : kDescripciones)
        if (d.casilla == n)
            return QString::fromUtf8(d.texto);
    return QString();
}

QString Nombre(const char* base, int indice)
{
    return QString::fromLatin1(base) + QLatin1Char('_') + QString::number(indice);
}

QGroupBox* Marco(const char* nombre, const QString& titulo, QWidget* padre = nullptr)
{
    auto* g = new QGroupBox(titulo, padre);
    g->setObjectName(QString::fromLatin1(nombre));
    return g;
}

zav::TextBox* Texto(const char* nombre, int maxLength = 0)
{
    auto* t = new zav::TextBox;
    t->setObjectName(QString::fromLatin1(nombre));
    t->SetMaxLength(maxLength);
    return t;
}

zav::Label* Etiqueta(const QString& texto, bool ajustar = false)
{
    auto* l = new zav::Label(texto);
    l->setWordWrap(ajustar);
    return l;
}

zav::OptionArray* Opciones(QObject* dueno, const char* nombre)
{
    auto* o = new zav::OptionArray(dueno);
    o->setObjectName(QString::fromLatin1(nombre));
    return o;
}

QRadioButton* Opcion(zav::OptionArray* arr, int indice, const QString& titulo)
{
    QRadioButton* b = arr->Add(indice, titulo);
    b->setObjectName(Nombre(arr->objectName().toLatin1().constData(), indice));
    return b;
}

QPushButton* Boton(const char* nombre, const QString& titulo)
{
    auto* b = new QPushButton(titulo);
    b->setObjectName(QString::fromLatin1(nombre));
    // Enter moves between fields; it must never press a button by default.
    b->setAutoDefault(false);
    b->setDefault(false);
    // Validar and Grabar read the boxes: the one being edited is left (and formatted) first.
    zav::CommandButton(b);
    return b;
}

// Every tab of a strip stays on its bar whatever the desktop's font: a caption that does
// not fit is shortened, never pushed behind scroll arrows, which would also be stops of
// the Tab key and shift the keyboard path through the window.
void TabsSinFlechas(QTabBar* barra)
{
    barra->setUsesScrollButtons(false);
    barra->setElideMode(Qt::ElideRight);
    for (QToolButton* flecha : barra->findChildren<QToolButton*>())
        flecha->setFocusPolicy(Qt::NoFocus);
}

// A page whose content scrolls when the window is smaller than the content. The content
// is measured and laid out the first time the page shows, not when the window is built:
// measuring every caption of every page is most of a window's opening, and most pages
// are never visited. Until then it already stands where it shows (its fields exist, hold
// their texts and keep their places in the Tab order), behind a view that stays hidden.
class Desplazable : public QScrollArea {
public:
    explicit Desplazable(QWidget* contenido)
        : contenido_(contenido)
    {
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        // The page itself is no stop of the Tab key: only its fields are.
        setFocusPolicy(Qt::NoFocus);
        viewport()->hide();
        contenido->setParent(viewport());
    }

protected:
    void showEvent(QShowEvent* e) override
    {
        if (!widget()) {
            // Placing the content shows it; a content the code has hidden stays hidden.
            const bool oculto = contenido_->isHidden();
            setWidget(contenido_);
            if (oculto)
                contenido_->hide();
            viewport()->show();
        }
        QScrollArea::showEvent(e);
    }

private:
    QWidget* contenido_;
};

} // namespace

Frm947::Frm947(QWidget* parent)
    : QDialog(parent)
    , mModelo(this)
    , NumDocumento(mModelo.Resp().NumDocumento)
    , mModificado(mModelo.Resp().mModificado)
    , mCargando(mModelo.Resp().mCargando)
    , mUIT(mModelo.Resp().mUIT)
{
    setObjectName(QStringLiteral("Frm947"));
    setWindowTitle(QStringLiteral("0947 Morvath"));
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
    // Disabled fields stay readable on the grey background.
    QPalette pal = palette();
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(0x50, 0x50, 0x50));
    setPalette(pal);
    Construir();
    Cablear();
    Frm947_Form_Initialize();
}

Frm947::~Frm947()
{
    // The boxes go with the window; the model must not talk to them any more.
    mModelo.PonVista(nullptr);
}

// ---- construction ---------------------------------------------------------------------------

void Frm947::Construir()
{
    SSTab1 = new zav::TabStrip;
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    {
        // The four main captions fit the window's width.
        QFont chica = SSTab1->tabBar()->font();
        chica.setPointSize(7);
        SSTab1->tabBar()->setFont(chica);
    }

    // Boxes first, so that every page can place them.
    for (int n : CasillasModelo::mCasillas()) {
        auto* box = new zav::TextBox;
        box->setObjectName(Nombre("TxtValor", n));
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(110);
        box->setFixedHeight(19);
        box->SetNoPaste(true);
        TxtValor[n] = box;
    }

    ConstruirIdentificacion();
    ConstruirEstadosFinancieros();
    ConstruirDeterminacion();
    ConstruirComplementaria();

    TxtAyuda = Texto("TxtAyuda");
    TxtAyuda1 = Texto("TxtAyuda1");
    for (zav::TextBox* t : {TxtAyuda, TxtAyuda1}) {
        t->SetLocked(true);
        t->setFocusPolicy(Qt::NoFocus);
        t->setFrame(false);
    }
    CmdValidar = Boton("CmdValidar", QStringLiteral("&Validar"));
    CmdGrabar = Boton("CmdGrabar", QStringLiteral("&Grabar"));
    cmdCancelar = Boton("cmdCancelar", QStringLiteral("&Salir"));

    auto* botones = new QHBoxLayout;
    auto* ayuda = new QVBoxLayout;
    ayuda->setSpacing(0);
    ayuda->addWidget(TxtAyuda);
    ayuda->addWidget(TxtAyuda1);
    botones->addLayout(ayuda, 1);
    botones->addWidget(CmdValidar);
    botones->addWidget(CmdGrabar);
    botones->addWidget(cmdCancelar);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    v->setSpacing(3);
    v->addWidget(SSTab1, 1);
    v->addLayout(botones);
}

void Frm947::ConstruirIdentificacion()
{
    SSTab2 = new zav::TabStrip;
    SSTab2->setObjectName(QStringLiteral("SSTab2"));

    // Page 0: general data.
    ConstruirFrame17();
    ConstruirFrame11();
    ConstruirFrame9();

    auto* pagina0 = new QWidget;
    {
        auto* v = new QVBoxLayout(pagina0);
        v->setContentsMargins(2, 2, 2, 2);
        v->addWidget(Frame17);
        v->addWidget(Frame11);
        v->addWidget(Frame9);
        v->addStretch(1);
    }
    SSTab2->addTab(new Desplazable(pagina0), QStringLiteral("&Datos Generales"));

    // Page 1: the regime's details; only the frames of the chosen regime show.
    ConstruirFrame_General();
    ConstruirFrame15();
    ConstruirFrame21();
    ConstruirFrame19();
    ConstruirFrame20();
    ConstruirFrame13();
    ConstruirFrame16();
    ConstruirFrame14();

    auto* pagina1 = new QWidget;
    {
        auto* v = new QVBoxLayout(pagina1);
        v->setContentsMargins(2, 2, 2, 2);
        for (QGroupBox* g : {Frame_General, Frame15, Frame21, Frame19, Frame20, Frame13, Frame16, Frame14})
            v->addWidget(g);
        v->addStretch(1);
    }
    SSTab2->addTab(new Desplazable(pagina1), QStringLiteral("Datos complementarios del régimen"));

    // Page 2: start of activities, prior results, balance date, payment system, suspension.
    ConstruirFrame4();
    ConstruirFrame_ejercicio();
    ConstruirFrame18();
    ConstruirFrame3();
    ConstruirFrameSusPC();

    auto* pagina2 = new QWidget;
    {
        auto* v = new QVBoxLayout(pagina2);
        v->setContentsMargins(2, 2, 2, 2);
        for (QGroupBox* g : {Frame4, Frame_ejercicio, Frame18, Frame3, FrameSusPC})
            v->addWidget(g);
        v->addStretch(1);
    }
    SSTab2->addTab(new Desplazable(pagina2), QStringLiteral("Sistema de pago"));

    auto* p = new QWidget;
    auto* v = new QVBoxLayout(p);
    v->setContentsMargins(2, 2, 2, 2);
    v->addWidget(SSTab2);
    SSTab1->addTab(p, QStringLiteral("&Identificación"));
}

namespace {

// The two answers of a yes/no question.
void OpcionesSiNo(zav::OptionArray* arr, QBoxLayout* l)
{
    l->addWidget(Opcion(arr, 0, QStringLiteral("No")));
    l->addWidget(Opcion(arr, 1, QStringLiteral("Si")));
}

} // namespace

// A question of the regime's details, kept in Label1 by its index.
zav::Label* Frm947::Pregunta(int indice, const QString& texto)
{
    zav::Label* l = Etiqueta(texto, true);
    l->setObjectName(Nombre("Label1", indice));
    Label1[indice] = l;
    return l;
}

void Frm947::ConstruirFrame17()
{
    Frame17 = Marco("Frame17", QStringLiteral("Rectificatoria"));
    OptRectifica = Opciones(this, "OptRectifica");
    TxtNumOrden = Texto("TxtNumOrden", 8);
    {
        auto* h = new QHBoxLayout(Frame17);
        h->addWidget(Opcion(OptRectifica, 0, QStringLiteral("No")));
        h->addWidget(Opcion(OptRectifica, 1, QStringLiteral("Si")));
        h->addStretch(1);
        h->addWidget(TxtNumOrden);
        TxtNumOrden->setFixedWidth(90);
    }
}

void Frm947::ConstruirFrame11()
{
    Frame11 = Marco("Frame11", QStringLiteral("Datos básicos del Contribuyente"));
    CmbRuc = new zav::ComboBox;
    CmbRuc->setObjectName(QStringLiteral("CmbRuc"));
    // Its width is set here and on each choice, never measured from thousands of items.
    CmbRuc->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CmbRuc->setFixedWidth(AnchoCmbRuc());
    TxtNumRuc = Texto("TxtNumRuc", 11);
    TxtRazon = Texto("TxtRazon");
    TxtTelefono = Texto("TxtTelefono", 9);
    TxtEjercicio = Texto("TxtEjercicio");
    TxtEjercicio->SetLocked(true);
    lblNorden = Etiqueta(QStringLiteral("Número de orden:"));
    lblNorden->setObjectName(QStringLiteral("lblNorden"));
    txtOrden = Texto("txtOrden", 9);
    lblGuion = Etiqueta(QStringLiteral("-"));
    lblGuion->setObjectName(QStringLiteral("lblGuion"));
    txtverifica = Texto("txtverifica", 2);
    {
        auto* g = new QGridLayout(Frame11);
        g->setVerticalSpacing(2);
        g->addWidget(Etiqueta(QStringLiteral("RUC:")), 0, 0);
        auto* ruc = new QHBoxLayout;
        ruc->addWidget(CmbRuc);
        ruc->addWidget(TxtNumRuc);
        ruc->addStretch(1);
        g->addLayout(ruc, 0, 1);
        g->addWidget(Etiqueta(QStringLiteral("Apellidos y Nombres, Denominación o Razón Social:")), 1, 0);
        g->addWidget(TxtRazon, 1, 1);
        g->addWidget(Etiqueta(QStringLiteral("Teléfono:")), 2, 0);
        auto* tel = new QHBoxLayout;
        tel->addWidget(TxtTelefono);
        TxtTelefono->setFixedWidth(90);
        tel->addSpacing(12);
        tel->addWidget(Etiqueta(QStringLiteral("Periodo:")));
        tel->addWidget(TxtEjercicio);
        TxtEjercicio->setFixedWidth(70);
        tel->addStretch(1);
        g->addLayout(tel, 2, 1);
        // A row of their own (shown for a sent declaration only), within the window's width.
        g->addWidget(lblNorden, 3, 0);
        auto* orden = new QHBoxLayout;
        orden->addWidget(txtOrden);
        txtOrden->setFixedWidth(90);
        orden->addWidget(lblGuion);
        orden->addWidget(txtverifica);
        txtverifica->setFixedWidth(30);
        orden->addStretch(1);
        g->addLayout(orden, 3, 1);
        g->setColumnStretch(1, 1);
    }
}

void Frm947::ConstruirFrame9()
{
    Frame9 = Marco("Frame9", QStringLiteral("Régimen de Renta"));
    optRenta = Opciones(this, "optRenta");
    {
        auto* g = new QGridLayout(Frame9);
        g->setVerticalSpacing(1);
        g->addWidget(Etiqueta(QStringLiteral("Ingrese el Régimen que le corresponda:")), 0, 0, 1, 3);
        const char* titulos[] = {"General", "Agrario", "Amazonía o Zona de Selva", "Zona de frontera",
                                 "Convenio de estabilidad", "MYPE Tributario"};
        for (int i = 0; i < 6; ++i)
            g->addWidget(Opcion(optRenta, i, QString::fromUtf8(titulos[i])), 1 + i / 3, i % 3);
    }
}

void Frm947::ConstruirFrame_General()
{
    Frame_General = Marco("Frame_General", QStringLiteral("Tipo de persona"));
    OptPersona = Opciones(this, "OptPersona");
    {
        auto* h = new QHBoxLayout(Frame_General);
        h->addWidget(Etiqueta(QStringLiteral("Ingrese el tipo de persona")));
        h->addWidget(Opcion(OptPersona, 0, QStringLiteral("Persona Jurídica")));
        h->addWidget(Opcion(OptPersona, 1, QStringLiteral("Persona Natural")));
        h->addStretch(1);
    }
}

void Frm947::ConstruirFrame15()
{
    Frame15 = Marco("Frame15", QStringLiteral("Ley de Promoción Agraria"));
    MkePeriodo = new zav::MaskedBox(QStringLiteral("##/##/####"));
    MkePeriodo->setObjectName(QStringLiteral("MkePeriodo"));
    MkePeriodo->setFixedWidth(80);
    {
        auto* h = new QHBoxLayout(Frame15);
        h->addWidget(Pregunta(9, QStringLiteral("Fecha de presentación del formulario 5136 (dd/mm/aaaa):")), 1);
        zav::Label* n = Etiqueta(QStringLiteral("200"));
        n->setObjectName(QStringLiteral("lblTab1_0"));
        lblTab1[0] = n;
        h->addWidget(n);
        h->addWidget(MkePeriodo);
    }
}

void Frm947::ConstruirFrame21()
{
    Frame21 = Marco("Frame21", QStringLiteral("Contribuyentes ubicados en la Amazonia"));
    OptUbicAmazonia = Opciones(this, "OptUbicAmazonia");
    {
        auto* h = new QHBoxLayout(Frame21);
        h->addWidget(Pregunta(17, QStringLiteral("¿Se dedica a la actividad de comercio y ha reinvertido no menos del "
                                                 "30% de su renta neta en obras de infraestructura y/o adquisición de "
                                                 "bienes de capital orientadas a incrementar el nivel de producción?")),
                     1);
        OpcionesSiNo(OptUbicAmazonia, h);
    }
}

void Frm947::ConstruirFrame19()
{
    Frame19 = Marco("Frame19", QStringLiteral("Acogimiento a la Ley de la Amazonia"));
    OptLeyAmazonia = Opciones(this, "OptLeyAmazonia");
    {
        auto* h = new QHBoxLayout(Frame19);
        h->addWidget(Pregunta(12, QStringLiteral("¿Se dedica principalmente a las actividades agropecuarias, "
                                                 "acuicultura, pesca, turismo, así como a las actividades "
                                                 "manufactureras vinculadas al procesamiento, transformación y "
                                                 "comercialización de productos primarios provenientes de dichas "
                                                 "actividades, o a la extracción forestal?")),
                     1);
        OpcionesSiNo(OptLeyAmazonia, h);
    }
}

void Frm947::ConstruirFrame20()
{
    Frame20 = Marco("Frame20", QStringLiteral("Regimen de Amazonía"));
    Frame28 = Marco("Frame28", QStringLiteral("Domicilio Fiscal"));
    OptDomFiscal = Opciones(this, "OptDomFiscal");
    Frame29 = Marco("Frame29", QString());
    OptZona = Opciones(this, "OptZona");
    CmdZona1 = Boton("CmdZona1", QStringLiteral("Ubigeo"));
    TxtUbigeo = Texto("TxtUbigeo", 8);
    TxtUbigeo->setFixedWidth(70);
    {
        auto* h29 = new QHBoxLayout(Frame29);
        h29->addWidget(Pregunta(14, QStringLiteral("Señale la Zona a la que corresponde la ubicación de su domicilio")),
                       1);
        h29->addWidget(Opcion(OptZona, 0, QStringLiteral("Zona 1")));
        h29->addWidget(Opcion(OptZona, 1, QStringLiteral("Zona 2")));
        h29->addWidget(CmdZona1);
        h29->addWidget(TxtUbigeo);
        auto* v28 = new QVBoxLayout(Frame28);
        auto* h = new QHBoxLayout;
        h->addWidget(Pregunta(13, QStringLiteral("¿Su domicilio fiscal se encuentra ubicado en la Amazonia y coincide "
                                                 "con el lugar donde tiene su administración y contabilidad?")),
                     1);
        OpcionesSiNo(OptDomFiscal, h);
        v28->addLayout(h);
        v28->addWidget(Frame29);
        auto* v20 = new QVBoxLayout(Frame20);
        v20->setContentsMargins(2, 2, 2, 2);
        v20->addWidget(Frame28);
    }
}

void Frm947::ConstruirFrame13()
{
    Frame13 = Marco("Frame13", QStringLiteral("Contribuyentes ubicados en Zona de Frontera"));
    OptActividad = Opciones(this, "OptActividad");
    {
        auto* h = new QHBoxLayout(Frame13);
        h->addWidget(Pregunta(19, QStringLiteral("¿Se dedica a la actividad industrial?")), 1);
        OpcionesSiNo(OptActividad, h);
    }
}

void Frm947::ConstruirFrame16()
{
    Frame16 = Marco("Frame16", QStringLiteral("Domicilio Fiscal"));
    OptFrontera = Opciones(this, "OptFrontera");
    CmdZona2 = Boton("CmdZona2", QStringLiteral("Ubigeo"));
    TxtUbigeo2 = Texto("TxtUbigeo2", 8);
    TxtUbigeo2->setFixedWidth(70);
    {
        auto* g = new QGridLayout(Frame16);
        g->addWidget(Pregunta(21, QStringLiteral("¿Su domicilio Fiscal se encuentra ubicado en la Zona de Frontera?")),
                     0, 0);
        auto* h = new QHBoxLayout;
        OpcionesSiNo(OptFrontera, h);
        g->addLayout(h, 0, 1);
        g->addWidget(Pregunta(20, QStringLiteral("Señale la Zona a la que corresponde la ubicación de su domicilio")),
                     1, 0);
        auto* h2 = new QHBoxLayout;
        h2->addWidget(CmdZona2);
        h2->addWidget(TxtUbigeo2);
        g->addLayout(h2, 1, 1);
        g->setColumnStretch(0, 1);
    }
}

void Frm947::ConstruirFrame14()
{
    Frame14 = Marco("Frame14", QStringLiteral("Convenio de Estabilidad"));
    OptConvEstab = Opciones(this, "OptConvEstab");
    TxtNumOrdenF7842 = Texto("TxtNumOrdenF7842", 8);
    TxtNumOrdenF7842->setFixedWidth(90);
    {
        auto* g = new QGridLayout(Frame14);
        g->setVerticalSpacing(1);
        g->addWidget(Pregunta(4, QStringLiteral("Señale el tipo de convenio:")), 0, 0, 1, 2);
        const char* titulos[] = {"Estabilidad tributaria", "Garantías y medidas de  promoción a la inversión",
                                 "Estabilidad jurídica",
                                 "Contratos de licencia de  exploración y explotación  de hidrocarburos"};
        for (int i = 1; i <= 4; ++i)
            g->addWidget(Opcion(OptConvEstab, i, QString::fromUtf8(titulos[i - 1])), 1 + (i - 1) / 2, (i - 1) % 2);
        g->addWidget(Pregunta(5, QStringLiteral("Registre el número de orden del formulario con el que comunica el "
                                                "Convenio")),
                     3, 0);
        g->addWidget(TxtNumOrdenF7842, 3, 1);
    }
}

void Frm947::ConstruirFrame4()
{
    Frame4 = Marco("Frame4", QStringLiteral("Inicio de actividades"));
    OptInicio = Opciones(this, "OptInicio");
    {
        auto* h = new QHBoxLayout(Frame4);
        h->addWidget(Etiqueta(QStringLiteral("¿Ha iniciado sus actividades en el ejercicio?")), 1);
        OpcionesSiNo(OptInicio, h);
    }
}

void Frm947::ConstruirFrame_ejercicio()
{
    Frame_ejercicio = Marco("Frame_ejercicio", QStringLiteral("Resultado del ejercicio"));
    Frame_precedente = Marco("Frame_precedente", QStringLiteral("Ejercicio precedente al anterior"));
    Frame_anterior = Marco("Frame_anterior", QStringLiteral("Ejercicio anterior"));
    OptPrecedente = Opciones(this, "OptPrecedente");
    OptAnterior = Opciones(this, "OptAnterior");
    {
        auto* hp = new QHBoxLayout(Frame_precedente);
        hp->addWidget(Opcion(OptPrecedente, 0, QStringLiteral("Utilidad")));
        hp->addWidget(Opcion(OptPrecedente, 1, QStringLiteral("Pérdida")));
        auto* ha = new QHBoxLayout(Frame_anterior);
        ha->addWidget(Opcion(OptAnterior, 0, QStringLiteral("Utilidad")));
        ha->addWidget(Opcion(OptAnterior, 1, QStringLiteral("Pérdida")));
        auto* h = new QHBoxLayout(Frame_ejercicio);
        h->addWidget(Frame_precedente);
        h->addWidget(Frame_anterior);
    }
}

void Frm947::ConstruirFrame18()
{
    Frame18 = Marco("Frame18", QStringLiteral("Fecha del balance"));
    CboBalance = new zav::ComboBox;
    CboBalance->setObjectName(QStringLiteral("CboBalance"));
    CboBalance->setMinimumWidth(130);
    {
        auto* h = new QHBoxLayout(Frame18);
        h->addWidget(Etiqueta(QStringLiteral("Seleccione la fecha del balance:")));
        h->addWidget(CboBalance);
        h->addStretch(1);
    }
}

void Frm947::ConstruirFrame3()
{
    Frame3 = Marco("Frame3", QStringLiteral("Sistema de pago"));
    LblSistema = Etiqueta(QString());
    LblSistema->setObjectName(QStringLiteral("LblSistema"));
    LblSistema->setMinimumWidth(20);
    LblPresentacion = Etiqueta(QString());
    LblPresentacion->setObjectName(QStringLiteral("LblPresentacion"));
    LblPresentacion->setMinimumWidth(160);
    for (zav::Label* l : {LblSistema, LblPresentacion}) {
        l->setAutoFillBackground(true);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
    }
    {
        auto* h = new QHBoxLayout(Frame3);
        h->addWidget(Etiqueta(QStringLiteral("Sistema de pago : ")));
        h->addWidget(LblSistema);
        h->addSpacing(20);
        h->addWidget(Etiqueta(QStringLiteral("Fecha máxima de presentación :")));
        h->addWidget(LblPresentacion);
        h->addStretch(1);
    }
}

void Frm947::ConstruirFrameSusPC()
{
    FrameSusPC = Marco("FrameSusPC", QString());
    OptSuspPC = Opciones(this, "OptSuspPC");
    txtNumRes = Texto("txtNumRes", 13);
    txtNumRes->setFixedWidth(110);
    mkefecnot = new zav::MaskedBox(QStringLiteral("##/##/####"));
    mkefecnot->setObjectName(QStringLiteral("mkefecnot"));
    mkefecnot->setFixedWidth(80);
    {
        auto* g = new QGridLayout(FrameSusPC);
        g->addWidget(Etiqueta(QStringLiteral("¿Suspendió sus pagos a cuenta hasta el mes de julio de acuerdo al "
                                             "acápite i) del artículo 85° de la LIR?"),
                              true),
                     0, 0, 1, 3);
        auto* h = new QHBoxLayout;
        OpcionesSiNo(OptSuspPC, h);
        g->addLayout(h, 0, 3);
        g->addWidget(Etiqueta(QStringLiteral("N° de Resolución:")), 1, 0);
        g->addWidget(txtNumRes, 1, 1);
        g->addWidget(Etiqueta(QStringLiteral("Fecha de Notificación:")), 1, 2);
        g->addWidget(mkefecnot, 1, 3);
        g->setColumnStretch(0, 1);
    }
}

namespace {

// One row of boxes: number, description, amount.
void Fila(QGridLayout* g, int fila, int n, zav::TextBox* box)
{
    auto* numero = new QLabel(QString::number(n));
    numero->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* texto = new QLabel(DescripcionCasilla(n));
    g->addWidget(texto, fila, 0);
    g->addWidget(numero, fila, 1);
    g->addWidget(box, fila, 2);
}

QGridLayout* Rejilla(QWidget* w)
{
    auto* g = new QGridLayout(w);
    g->setVerticalSpacing(0);
    g->setContentsMargins(4, 2, 4, 2);
    g->setColumnStretch(0, 1);
    return g;
}

} // namespace

void Frm947::ConstruirEstadosFinancieros()
{
    SSTab3 = new zav::TabStrip;
    SSTab3->setObjectName(QStringLiteral("SSTab3"));

    auto encabezado = [this](int indice) {
        zav::Label* l = Etiqueta(QString());
        l->setObjectName(Nombre("lblTab2", indice));
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        // The heading places its columns with runs of blanks; wrapping keeps every word
        // on the page instead of widening it past the window.
        l->setWordWrap(true);
        lblTab2[indice] = l;
        return l;
    };
    auto panel = [&](const char* nombre, int desde, int hasta, int titulo) {
        QGroupBox* g = Marco(nombre, QString());
        QGridLayout* r = Rejilla(g);
        r->addWidget(encabezado(titulo), 0, 0, 1, 3);
        int fila = 1;
        for (int n = desde; n <= hasta; ++n)
            Fila(r, fila++, n, TxtValor[n]);
        r->setRowStretch(fila, 1);
        return g;
    };

    // Assets: two stacked halves that VScroll1 switches.
    Frame1[1] = Marco("Frame1_1", QStringLiteral("ACTIVO"));
    Frame26 = panel("Frame26", 500, 515, 41);
    Frame34 = panel("Frame34", 516, 531, 168);
    Frame34->setVisible(false);
    VScroll1 = new QScrollBar(Qt::Vertical);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setRange(1, 1);
    VScroll1->setValue(1);
    {
        auto* g = new QGridLayout(Frame1[1]);
        g->setContentsMargins(2, 2, 2, 2);
        g->addWidget(Frame26, 0, 0);
        g->addWidget(Frame34, 0, 0);
        g->addWidget(VScroll1, 0, 1);
    }
    SSTab3->addTab(new Desplazable(Frame1[1]), QStringLiteral("Activo"));

    Frame1[6] = Marco("Frame1_6", QStringLiteral("PASIVO Y PATRIMONIO"));
    Frame35 = panel("Frame35", 532, 543, 98);
    Frame36 = panel("Frame36", 544, 555, 90);
    {
        auto* v = new QVBoxLayout(Frame1[6]);
        v->setContentsMargins(2, 2, 2, 2);
        v->addWidget(Frame35);
        v->addWidget(Frame36);
    }
    SSTab3->addTab(new Desplazable(Frame1[6]), QStringLiteral("Pasivo y Patrimonio"));

    Frame1[7] = Marco("Frame1_7", QStringLiteral("ESTADO DE GANANCIAS Y PÉRDIDAS"));
    {
        QGridLayout* r = Rejilla(Frame1[7]);
        r->addWidget(encabezado(100), 0, 0, 1, 3);
        int fila = 1;
        for (int n : {461, 462, 463, 464, 466, 467, 468, 469, 470, 471, 472, 473, 475, 476, 477, 478, 480,
                      481, 483, 484, 485, 486, 487, 489, 490, 492, 493})
            Fila(r, fila++, n, TxtValor[n]);
        r->setRowStretch(fila, 1);
    }
    SSTab3->addTab(new Desplazable(Frame1[7]), QStringLiteral("Estado de ganancias y pérdidas"));

    auto* p = new QWidget;
    auto* v = new QVBoxLayout(p);
    v->setContentsMargins(2, 2, 2, 2);
    v->addWidget(SSTab3);
    SSTab1->addTab(p, QStringLiteral("  Estados  &financieros"));
}

void Frm947::ConstruirDeterminacion()
{
    Frame1[2] = Marco("Frame1_2", QStringLiteral("DETERMINACION DEL IMPUESTO A LA RENTA"));
    QGridLayout* r = Rejilla(Frame1[2]);
    int fila = 0;
    for (int n : {100, 101, 103, 105, 106, 107, 108, 150, 110, 111, 113})
        Fila(r, fila++, n, TxtValor[n]);

    frmMype = Marco("frmMype", QStringLiteral("MYPE Tributario"));
    {
        QGridLayout* m = Rejilla(frmMype);
        int f = 0;
        for (int n : {250, 251, 252, 253})
            Fila(m, f++, n, TxtValor[n]);
    }
    frmMype->setVisible(false);
    r->addWidget(frmMype, fila++, 0, 1, 3);
    Fila(r, fila++, 610, TxtValor[610]);
    r->setRowStretch(fila, 1);

    auto* p = new QWidget;
    auto* v = new QVBoxLayout(p);
    v->setContentsMargins(2, 2, 2, 2);
    v->addWidget(Frame1[2]);
    // The annex dialog keeps its amounts in these boxes; they are not typed here.
    for (int n : {432, 433, 650, 651}) {
        TxtValor[n]->setParent(p);
        TxtValor[n]->setVisible(false);
    }
    SSTab1->addTab(new Desplazable(p), QStringLiteral("Determinación del nuevo coeficiente o porcentaje"));
}

void Frm947::ConstruirComplementaria()
{
    SSTab4 = new zav::TabStrip;
    SSTab4->setObjectName(QStringLiteral("SSTab4"));

    Frame1[5] = Marco("Frame1_5", QString());
    Frame6 = Marco("Frame6", QStringLiteral("Datos del Contador"));
    TxtNombreA = Texto("TxtNombreA", 15);
    TxtNombreN = Texto("TxtNombreN", 15);
    CmbZona = new zav::ComboBox;
    CmbZona->setObjectName(QStringLiteral("CmbZona"));
    CmbZona->setMinimumWidth(150);
    {
        QGridLayout* g = Rejilla(Frame6);
        g->addWidget(new QLabel(QStringLiteral("Apellidos")), 0, 0);
        g->addWidget(TxtNombreA, 0, 2);
        g->addWidget(new QLabel(QStringLiteral("Nombres")), 1, 0);
        g->addWidget(TxtNombreN, 1, 2);
        g->addWidget(new QLabel(DescripcionCasilla(209)), 2, 0);
        g->addWidget(CmbZona, 2, 2);
        TxtValor[209]->setParent(Frame6);
        TxtValor[209]->setVisible(false);
        Fila(g, 3, 208, TxtValor[208]);
        Fila(g, 4, 211, TxtValor[211]);
        Fila(g, 5, 212, TxtValor[212]);
    }
    Frame7 = Marco("Frame7", QStringLiteral("Datos del Representante Legal"));
    txtApellidoRL = Texto("txtApellidoRL", 15);
    txtNombreRL = Texto("txtNombreRL", 15);
    cboTipDocRepLegal = new zav::ComboBox;
    cboTipDocRepLegal->setObjectName(QStringLiteral("cboTipDocRepLegal"));
    cboTipDocRepLegal->setMinimumWidth(150);
    // An item is the code, "  -  ", the name padded to 60 characters and the codes of the
    // number's length and kind, which the boxes read from the item: only the name shows.
    cboTipDocRepLegal->SetShownText([](const QString& item) { return item.mid(7, 60).trimmed(); });
    {
        QGridLayout* g = Rejilla(Frame7);
        g->addWidget(new QLabel(DescripcionCasilla(225)), 0, 0);
        g->addWidget(cboTipDocRepLegal, 0, 2);
        TxtValor[225]->setParent(Frame7);
        TxtValor[225]->setVisible(false);
        Fila(g, 1, 226, TxtValor[226]);
        g->addWidget(new QLabel(QStringLiteral("Apellidos")), 2, 0);
        g->addWidget(txtApellidoRL, 2, 2);
        g->addWidget(new QLabel(QStringLiteral("Nombres")), 3, 0);
        g->addWidget(txtNombreRL, 3, 2);
    }
    for (zav::TextBox* t : {TxtNombreA, TxtNombreN, txtApellidoRL, txtNombreRL})
        t->setFixedWidth(110);
    {
        auto* v = new QVBoxLayout(Frame1[5]);
        v->setContentsMargins(2, 2, 2, 2);
        v->addWidget(Frame6);
        v->addWidget(Frame7);
        v->addStretch(1);
    }
    SSTab4->addTab(new Desplazable(Frame1[5]), QStringLiteral("I&nformación general"));

    Frame2 = Marco("Frame2", QStringLiteral("Pérdida tributaria compensable de ejercicios anteriores"));
    dtaPerdidaTributaria = new QStandardItemModel(this);
    dtaPerdidaTributaria->setObjectName(QStringLiteral("dtaPerdidaTributaria"));
    grdPerdidaTributaria = new QTableView;
    grdPerdidaTributaria->setObjectName(QStringLiteral("grdPerdidaTributaria"));
    grdPerdidaTributaria->setModel(dtaPerdidaTributaria);
    grdPerdidaTributaria->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdPerdidaTributaria->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdPerdidaTributaria->horizontalHeader()->setStretchLastSection(true);
    // Tab leaves the grid for its buttons; the arrow keys move in it.
    grdPerdidaTributaria->setTabKeyNavigation(false);
    {
        auto* v = new QVBoxLayout(Frame2);
        v->addWidget(grdPerdidaTributaria, 1);
        auto* h = new QHBoxLayout;
        const char* titulos[] = {"&Nuevo", "&Modificar", "&Eliminar"};
        for (int i = 0; i < 3; ++i) {
            cmdPerdida[i] = Boton(Nombre("cmdPerdida", i).toLatin1().constData(), QString::fromUtf8(titulos[i]));
            h->addWidget(cmdPerdida[i]);
        }
        h->addStretch(1);
        v->addLayout(h);
    }
    auto* pp = new QWidget;
    {
        auto* v = new QVBoxLayout(pp);
        v->setContentsMargins(2, 2, 2, 2);
        v->addWidget(Frame2);
    }
    SSTab4->addTab(pp, QStringLiteral("Pérdida tributaria compensable de ejercicios anteriores"));

    Frame1[3] = Marco("Frame1_3", QString());
    {
        auto* v = new QVBoxLayout(Frame1[3]);
        v->setContentsMargins(2, 2, 2, 2);
        v->addWidget(SSTab4);
    }
    auto* p = new QWidget;
    auto* v = new QVBoxLayout(p);
    v->setContentsMargins(2, 2, 2, 2);
    v->addWidget(Frame1[3]);
    SSTab1->addTab(p, QStringLiteral("Información com&plementaria"));
}

// ---- design-time state and wiring -----------------------------------------------------------

void Frm947::Cablear()
{
    // The boxes show the model's design state.
    for (const auto& [n, box] : TxtValor) {
        EstadoCambiado(n, mModelo.Estado(n));
        CablearCasilla(n, box);
    }

    // Regime frames show once a regime is chosen.
    for (QGroupBox* g : {Frame_General, Frame15, Frame21, Frame19, Frame20, Frame13, Frame16, Frame14}) {
        g->setVisible(false);
        g->setEnabled(false);
    }
    TxtNumOrdenF7842->SetEnabled(false);
    TxtNumOrdenF7842->SetBackColor(zav::kColorGris);
    txtNumRes->SetEnabled(false);
    txtNumRes->SetBackColor(zav::kColorGris);
    mkefecnot->SetEnabled(false);
    mkefecnot->SetBackColor(zav::kColorGris);
    TxtNumOrden->SetEnabled(false);
    TxtNumOrden->SetVisible(false);
    for (QWidget* w : {static_cast<QWidget*>(txtOrden), static_cast<QWidget*>(txtverifica),
                       static_cast<QWidget*>(lblNorden), static_cast<QWidget*>(lblGuion)})
        w->setVisible(false);
    for (zav::TextBox* t : {TxtUbigeo, TxtUbigeo2}) {
        t->SetEnabled(false);
        t->SetBackColor(zav::kColorGris);
    }
    CmdZona1->setEnabled(false);
    CmdZona2->setEnabled(false);

    // Identification text fields take no paste by any path.
    for (zav::TextBox* t : {txtApellidoRL, txtNombreRL, TxtNombreA, TxtNombreN, TxtTelefono, TxtNumOrdenF7842,
                            txtNumRes, TxtNumRuc, TxtNumOrden, txtOrden, txtverifica, TxtUbigeo, TxtUbigeo2})
        t->SetNoPaste(true);
    MkePeriodo->SetNoPaste(true);
    mkefecnot->SetNoPaste(true);

    // Keys and mouse of the identification fields.
    for (zav::TextBox* t : {txtApellidoRL, TxtNombreA, TxtNombreN})
        t->onKeyPress = [this](int k) { return Frm947_NombreEnter_KeyPress(k); };
    txtNombreRL->onKeyPress = [this](int k) { return Frm947_txtNombreRL_KeyPress(k); };
    TxtTelefono->onKeyPress = [this](int k) { return Frm947_TxtTelefono_KeyPress(k); };
    TxtNumOrdenF7842->onKeyPress = [this](int k) { return Frm947_TxtNumOrdenF7842_KeyPress(k); };
    txtOrden->onKeyPress = [this](int k) { return Frm947_txtOrden_KeyPress(k); };
    // The number typed replaces the one shown ("0" before it is registered).
    txtOrden->SetSelectOnFocus(true);
    txtOrden->onChange = [this] { Frm947_txtOrden_Change(); };
    txtNumRes->onKeyPress = [this](int k) { return Frm947_txtNumRes_KeyPress(k); };
    txtNumRes->onKeyDown = [this](int c, int s) { return Frm947_txtNumRes_KeyDown(c, s); };
    for (zav::TextBox* t :
         {txtApellidoRL, txtNombreRL, TxtNombreA, TxtNombreN, TxtTelefono, TxtNumOrdenF7842, txtNumRes, TxtNumRuc})
        t->onMouseDown = [this](int b, int) { Frm947_Identificacion_MouseDown(b); };
    TxtUbigeo->onChange = [this] { Frm947_TxtUbigeo_Change(); };
    TxtUbigeo2->onChange = [this] { Frm947_TxtUbigeo2_Change(); };
    txtverifica->onKeyPress = [this](int k) { return Frm947_txtverifica_KeyPress(k); };
    TxtRazon->onChange = [this] { Frm947_TxtRazon_Change(); };
    MkePeriodo->onKeyPress = [this](int k) { return Frm947_MkePeriodo_KeyPress(k); };
    MkePeriodo->onLostFocus = [this] { Frm947_MkePeriodo_LostFocus(); };

    // Taxpayer and zone lists.
    CmbRuc->onClick = [this] { Frm947_CmbRuc_Click(); };
    CmbRuc->onKeyDown = [this](int c, int s) { return Frm947_CmbRuc_KeyDown(c, s); };
    CmbZona->onClick = [this] { Frm947_CmbZona_Click(); };
    CmbZona->onKeyPress = [this](int k) { return Frm947_CmbZona_KeyPress(k); };

    // Options: the answers the calculations read are brought up to date before each handler.
    auto opcion = [this](zav::OptionArray* arr, void (Frm947::*h)(int)) {
        arr->onClick = [this, h](int i) {
            SincronizaRespuestas();
            (this->*h)(i);
        };
    };
    opcion(optRenta, &Frm947::optRenta_Click);
    opcion(OptPersona, &Frm947::OptPersona_Click);
    opcion(OptUbicAmazonia, &Frm947::OptUbicAmazonia_Click);
    opcion(OptLeyAmazonia, &Frm947::OptLeyAmazonia_Click);
    opcion(OptDomFiscal, &Frm947::OptDomFiscal_Click);
    opcion(OptZona, &Frm947::OptZona_Click);
    opcion(OptActividad, &Frm947::OptActividad_Click);
    opcion(OptFrontera, &Frm947::OptFrontera_Click);
    opcion(OptConvEstab, &Frm947::OptConvEstab_Click);
    opcion(OptSuspPC, &Frm947::OptSuspPC_Click);
    opcion(OptInicio, &Frm947::OptInicio_Click);
    opcion(OptAnterior, &Frm947::OptAnterior_Click);
    opcion(OptPrecedente, &Frm947::OptPrecedente_Click);
    opcion(OptRectifica, &Frm947::OptRectifica_Click);
    optRenta->onKeyPress = [this](int i, int k) { return optRenta_KeyPress(i, k); };
    OptAnterior->onKeyPress = [this](int i, int k) { return OptAnterior_KeyPress(i, k); };
    OptPrecedente->onKeyPress = [this](int i, int k) { return OptPrecedente_KeyPress(i, k); };
    CboBalance->onClick = [this] {
        SincronizaRespuestas();
        CboBalance_Click();
    };
    cboTipDocRepLegal->onClick = [this] {
        SincronizaRespuestas();
        cboTipDocRepLegal_Click();
    };
    LblSistema->onChange = [this] { LblSistema_Change(); };
    connect(CmdZona1, &QPushButton::clicked, this, [this] { CmdZona1_Click(); });
    connect(CmdZona2, &QPushButton::clicked, this, [this] { CmdZona2_Click(); });

    // Pages and scrolling. The identification and financial-statements strips have no
    // page handler of their own: a page the user brings forward there is checked as the
    // strip's arrival is.
    SSTab1->onClick = [this](int anterior) { Frm947_SSTab1_Click(anterior); };
    SSTab4->onClick = [this](int anterior) { Frm947_SSTab4_Click(anterior); };
    SSTab2->onClick = [this](int) {
        if (CambioDelUsuario(SSTab2))
            Frm947_SSTab2_GotFocus();
    };
    SSTab3->onClick = [this](int) {
        if (CambioDelUsuario(SSTab3))
            Frm947_SSTab3_GotFocus();
    };
    for (QTabWidget* t : {SSTab1, SSTab2, SSTab3, SSTab4}) {
        t->tabBar()->setFocusPolicy(Qt::StrongFocus);
        t->tabBar()->installEventFilter(this);
        TabsSinFlechas(t->tabBar());
    }
    connect(VScroll1, &QScrollBar::valueChanged, this, [this](int) { Frm947_VScroll1_Change(); });
    connect(VScroll1, &QScrollBar::sliderMoved, this, [this](int) { Frm947_VScroll1_Scroll(); });
    for (const auto& [i, marco] : Frame1) {
        marco->setMouseTracking(true);
        marco->installEventFilter(this);
    }
    Frame17->setMouseTracking(true);
    Frame17->installEventFilter(this);

    // Losses.
    for (const auto& [i, b] : cmdPerdida) {
        const int indice = i;
        b->setEnabled(false);
        connect(b, &QPushButton::clicked, this, [this, indice] { Frm947_cmdPerdida_Click(indice); });
    }

    // Buttons.
    connect(CmdValidar, &QPushButton::clicked, this, [this] { CmdValidar_Click(); });
    connect(CmdGrabar, &QPushButton::clicked, this, [this] { CmdGrabar_Click(); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { cmdCancelar_Click(); });
}

void Frm947::CablearCasilla(int n, zav::TextBox* box)
{
    box->onChange = [this, n, box] {
        const QString texto = box->Text();
        // The model's own writes come back here; they are in the model already.
        if (texto == mModelo.Texto(n))
            return;
        SincronizaRespuestas();
        mModelo.PonTexto(n, texto);
    };
    box->onGotFocus = [this, n] {
        SincronizaRespuestas();
        mModelo.TxtValor_GotFocus(n);
    };
    box->onLostFocus = [this, n] {
        SincronizaRespuestas();
        mModelo.TxtValor_LostFocus(n);
    };
    box->onKeyPress = [this, n](int k) {
        SincronizaRespuestas();
        mModelo.TxtValor_KeyPress(n, k);
        return k;
    };
    box->onKeyDown = [this, n](int c, int s) {
        mModelo.TxtValor_KeyDown(n, c, s);
        return c;
    };
    box->onDblClick = [this, n] {
        SincronizaRespuestas();
        mModelo.TxtValor_DblClick(n);
    };
    box->onMouseDown = [this, n](int b, int) { mModelo.TxtValor_MouseDown(n, b); };
    box->setMouseTracking(true);
    box->onMouseMove = [this, n](int, int) {
        const LineaAyuda a = mModelo.TxtValor_MouseMove(n, SSTab1->currentIndex());
        TxtAyuda->SetForeColor(a.ForeColor);
        TxtAyuda1->SetForeColor(a.ForeColor);
        TxtAyuda->SetText(a.TxtAyuda);
        TxtAyuda1->SetText(a.TxtAyuda1);
    };
}

bool Frm947::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == SSTab1->tabBar())
            Frm947_SSTab1_GotFocus();
        else if (watched == SSTab2->tabBar())
            Frm947_SSTab2_GotFocus();
        else if (watched == SSTab3->tabBar())
            Frm947_SSTab3_GotFocus();
        else if (watched == SSTab4->tabBar())
            Frm947_SSTab4_GotFocus();
    } else if (event->type() == QEvent::MouseMove) {
        if (watched == Frame17) {
            Frm947_Frame17_MouseMove();
        } else {
            for (const auto& [i, marco] : Frame1)
                if (watched == marco)
                    Frm947_Frame1_MouseMove(i);
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---- the answers the calculations read ------------------------------------------------------

void Frm947::SincronizaRespuestas()
{
    RespuestasFrm947& r = mModelo.Resp();
    r.optRenta = optRenta->Chosen();
    r.OptPersona = OptPersona->Chosen();
    r.OptUbicAmazonia = OptUbicAmazonia->Chosen();
    r.OptLeyAmazonia = OptLeyAmazonia->Chosen();
    r.OptDomFiscal = OptDomFiscal->Chosen();
    r.OptZona = OptZona->Chosen();
    r.OptActividad = OptActividad->Chosen();
    r.OptFrontera = OptFrontera->Chosen();
    r.TipDocRepLegal = cboTipDocRepLegal->Text();
    r.Caption = Caption();
}

void Frm947::Calcular113()
{
    SincronizaRespuestas();
    mModelo.Calcular113();
}

void Frm947::Calcular250()
{
    SincronizaRespuestas();
    mModelo.Calcular250();
}

void Frm947::Calcular_coeficiente()
{
    SincronizaRespuestas();
    mModelo.Calcular_coeficiente();
}

double Frm947::IngresoNetos()
{
    SincronizaRespuestas();
    return mModelo.IngresoNetos();
}

double Frm947::Vale(int casilla)
{
    return mModelo.Vale(casilla);
}

// ---- the boxes as views of the model --------------------------------------------------------

DatosModulo Frm947::Modulo() const
{
    const AppState& a = App();
    return DatosModulo{a.gPeriodo, a.gPeriodoSel, a.gModoEnviadas, a.gSistema};
}

void Frm947::PeriodoElegido(const QString& periodo)
{
    App().gPeriodo = periodo;
}

void Frm947::Avisar(const Hallazgo& hallazgo)
{
    zav::MsgBox(hallazgo.Texto, hallazgo.Estilo, hallazgo.Titulo);
}

bool Frm947::Preguntar(const Hallazgo& pregunta)
{
    return zav::MsgBox(pregunta.Texto, pregunta.Estilo, pregunta.Titulo) == zav::vbOK;
}

void Frm947::TextoCambiado(int casilla, const QString& texto)
{
    auto it = TxtValor.find(casilla);
    // A box the user is typing in already shows the text: setting it again would move
    // the cursor to the end and drop the undo history.
    if (it != TxtValor.end() && it->second->Text() != texto)
        it->second->SetText(texto);
}

void Frm947::EstadoCambiado(int casilla, const EstadoCasilla& estado)
{
    auto it = TxtValor.find(casilla);
    if (it == TxtValor.end())
        return;
    zav::TextBox* box = it->second;
    // Only what changed: a new palette or enabled state costs a restyle and a repaint.
    if (box->Enabled() != estado.Enabled)
        box->SetEnabled(estado.Enabled);
    if (box->Locked() != estado.Locked)
        box->SetLocked(estado.Locked);
    if (box->BackColor() != estado.BackColor ||
        box->palette().color(QPalette::Base) != zav::ColorFromBgr(estado.BackColor))
        box->SetBackColor(estado.BackColor);
    box->SetMaxLength(estado.MaxLength);
}

void Frm947::PerdidasDisponibles(bool disponible)
{
    SSTab4->setTabEnabled(1, disponible);
    SSTab4->setTabVisible(1, disponible);
    for (const auto& [i, b] : cmdPerdida)
        b->setEnabled(disponible);
}

void Frm947::FrameMypeVisible(bool visible)
{
    frmMype->setVisible(visible);
}

void Frm947::FocoA(int casilla)
{
    auto it = TxtValor.find(casilla);
    if (it != TxtValor.end())
        it->second->setFocus();
}

void Frm947::MostrarPaginas(int paginaSSTab1, int paginaSSTab4)
{
    SSTab1->setCurrentIndex(paginaSSTab1);
    if (paginaSSTab4 >= 0)
        SSTab4->setCurrentIndex(paginaSSTab4);
}

void Frm947::DesplazarActivo(int valor)
{
    VScroll1->setValue(valor);
}

void Frm947::EnviarTab()
{
    EnviaTecla(QStringLiteral("TAB"));
}

void Frm947::ProcesarEventos()
{
    QCoreApplication::processEvents();
}

void Frm947::AbrirAnexo(int casilla)
{
    // A fresh dialog each time; the coefficient that follows its closing is the model's.
    frmAnexo477 anexo(this);
    anexo.Casilla = casilla;
    anexo.Form_Load();
    zav::RunModal(anexo);
}

void Frm947::VaciarPortapapeles()
{
    zav::SetClipboardText(QString());
}
