#include "shell/modulo/ModeloDeclaraciones.h"

#include "common/Runtime.h"
#include "platform/db/DaoError.h"
#include "platform/db/Recordset.h"
#include "platform/ui/Hourglass.h"
#include "platform/ui/Iconos.h"
#include "platform/ui/MsgBox.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include <algorithm>

ModeloDeclaraciones::ModeloDeclaraciones(QStringList titulos, int columnaEstado, int columnaFecha, QObject* parent)
    : QAbstractTableModel(parent), titulos_(std::move(titulos)), columnaEstado_(columnaEstado), columnaFecha_(columnaFecha)
{
}

void ModeloDeclaraciones::PonFilas(dao::Recordset* filas)
{
    beginResetModel();
    filas_ = filas;
    cuenta_ = filas ? filas->RecordCount() : 0;
    leidas_.clear();
    indices_.clear();
    for (int c = 0; c < columnCount(); ++c) {
        int indice = c;
        if (!campos_.isEmpty()) {
            indice = -1;
            for (int f = 0; filas && f < filas->FieldCount(); ++f)
                if (filas->Fields(f).Name().compare(campos_.value(c), Qt::CaseInsensitive) == 0) {
                    indice = f;
                    break;
                }
        }
        indices_.push_back(indice);
    }
    endResetModel();
}

void ModeloDeclaraciones::PonCampos(QStringList campos)
{
    campos_ = std::move(campos);
}

void ModeloDeclaraciones::PonFormato(int columna, const QString& mascara)
{
    formatos_[columna] = mascara;
}

void ModeloDeclaraciones::PonValores(int columna, std::map<QString, QString> valores)
{
    valores_[columna] = std::move(valores);
}

int ModeloDeclaraciones::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cuenta_;
}

int ModeloDeclaraciones::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(titulos_.size());
}

const ModeloDeclaraciones::Fila& ModeloDeclaraciones::Leer(int fila) const
{
    const auto it = leidas_.find(fila);
    if (it != leidas_.end())
        return it->second;
    Fila f;
    filas_->setAbsolutePosition(fila);
    for (int c = 0; c < columnCount(); ++c) {
        const int indice = indices_[static_cast<size_t>(c)];
        if (indice < 0 || indice >= filas_->FieldCount()) {
            f.push_back(QString());
            continue;
        }
        const dao::Variant v = filas_->Fields(indice).Value();
        const auto formato = formatos_.find(c);
        if (c == columnaFecha_ && !v.isNull()) {
            const QDateTime fecha = v.toDate();
            f.push_back(fecha.isValid() ? zav::FormatDate(fecha.date(), QStringLiteral("dd/mm/yyyy")) : v.toText());
        } else if (formato != formatos_.end() && !v.isNull()) {
            f.push_back(zav::Format(v.toText(), formato->second));
        } else {
            f.push_back(v.toText());
        }
    }
    return leidas_.emplace(fila, std::move(f)).first->second;
}

QString ModeloDeclaraciones::Texto(int fila, int columna) const
{
    if (!filas_ || fila < 0 || fila >= cuenta_ || columna < 0 || columna >= columnCount())
        return QString();
    return Leer(fila)[static_cast<size_t>(columna)];
}

QVariant ModeloDeclaraciones::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const QString texto = Texto(index.row(), index.column());
    // The state shows a picture for a sent declaration (1) and for one saved with
    // inconsistencies (9), any other value as text.
    const bool dibujo = index.column() == columnaEstado_ &&
                        (texto == QLatin1String("1") || texto == QLatin1String("9"));
    if (role == Qt::DisplayRole) {
        if (dibujo)
            return QString();
        const auto v = valores_.find(index.column());
        if (v != valores_.end()) {
            const auto t = v->second.find(texto);
            if (t != v->second.end())
                return t->second;
        }
        return texto;
    }
    if (role == Qt::DecorationRole && dibujo)
        return zav::IconoEstandar(texto == QLatin1String("1") ? QStyle::SP_DialogApplyButton
                                                              : QStyle::SP_MessageBoxWarning);
    if (role == Qt::ToolTipRole && dibujo)
        return texto;
    return {};
}

QVariant ModeloDeclaraciones::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return titulos_.value(section);
}

void MuestraErrorLista(const QString& descripcion, int numero)
{
    zav::SetHourglass(false);
    zav::MsgBox(descripcion + QLatin1Char('\n') + zav::Str(numero), 0, QStringLiteral("Error"));
}

bool AtrapaErrorLista(const std::function<void()>& paso)
{
    try {
        paso();
    } catch (const dao::DaoError& e) {
        MuestraErrorLista(e.Description, e.Number);
        return false;
    } catch (const zav::RuntimeError& e) {
        MuestraErrorLista(e.Description(), e.Number);
        return false;
    }
    return true;
}

void PreparaGrilla(QTableView* grilla, ModeloDeclaraciones* modelo)
{
    grilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grilla->setSelectionBehavior(QAbstractItemView::SelectRows);
    grilla->setSelectionMode(QAbstractItemView::SingleSelection);
    grilla->verticalHeader()->hide();
    grilla->setWordWrap(false);
    grilla->setModel(modelo);
}

void AnchosDeColumnas(QTableView* grilla, const QStringList& muestras, int estirada)
{
    QHeaderView* h = grilla->horizontalHeader();
    const QStyle* s = grilla->style();
    // What the style puts round a heading's and a cell's text, and a grid line.
    const int margenTitulo = 2 * s->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h) + 4;
    const int margenCelda = 2 * (s->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grilla) + 1) + 2;
    const QFontMetrics titulo(h->font());
    const QFontMetrics celda(grilla->font());
    for (int c = 0; c < grilla->model()->columnCount(); ++c) {
        if (c == estirada) {
            h->setSectionResizeMode(c, QHeaderView::Stretch);
            continue;
        }
        const QString encabezado = grilla->model()->headerData(c, Qt::Horizontal).toString();
        grilla->setColumnWidth(c, std::max(titulo.horizontalAdvance(encabezado) + margenTitulo,
                                           celda.horizontalAdvance(muestras.value(c)) + margenCelda));
    }
    h->setStretchLastSection(false);
    grilla->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int FilaActual(const QTableView& grilla)
{
    if (!grilla.model() || grilla.model()->rowCount() == 0)
        return -1;
    const int fila = grilla.currentIndex().row();
    return fila < 0 ? 0 : fila;
}

void VuelveAFila(QTableView& grilla, int posicion)
{
    const int filas = grilla.model() ? grilla.model()->rowCount() : 0;
    if (filas == 0)
        return;
    const QModelIndex i = grilla.model()->index(std::clamp(posicion, 0, filas - 1), 0);
    grilla.setCurrentIndex(i);
    grilla.scrollTo(i);
}
