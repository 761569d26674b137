#pragma once
// The grid model of the declaration lists, and the message they show for an error they trap.
#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

namespace dao { class Recordset; }
class QTableView;

// The rows of the list's open set, read only when the grid shows them, so that a long
// list costs no more than its query.
class ModeloDeclaraciones : public QAbstractTableModel {
    Q_OBJECT
public:
    // One column per caption; the state column (-1 none) shows a picture for 1 and 9, the
    // date column (-1 none) its date as dd/mm/yyyy.
    explicit ModeloDeclaraciones(QStringList titulos, int columnaEstado, int columnaFecha, QObject* parent = nullptr);

    // The set whose rows are shown (nullptr: none); it stays the caller's.
    void PonFilas(dao::Recordset* filas);

    // Each column bound to the field of that name (case-insensitive); a column whose field
    // the set lacks stays empty. Without names the columns follow the set's field order.
    void PonCampos(QStringList campos);
    // The column's numbers shown through a number mask (other text as it is).
    void PonFormato(int columna, const QString& mascara);
    // The column shows the caption of its value; a value without one shows as it is.
    void PonValores(int columna, std::map<QString, QString> valores);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The text of a column of a row, as the grid shows it (a value item's stored value).
    QString Texto(int fila, int columna) const;

private:
    using Fila = std::vector<QString>;
    const Fila& Leer(int fila) const;

    QStringList titulos_;
    int columnaEstado_;
    int columnaFecha_;
    QStringList campos_;
    std::vector<int> indices_;   // field of each column, -1 none
    std::map<int, QString> formatos_;
    std::map<int, std::map<QString, QString>> valores_;
    dao::Recordset* filas_ = nullptr;
    int cuenta_ = 0;
    mutable std::map<int, Fila> leidas_;
};

// The grid of a list over its model: whole rows chosen one at a time, nothing edited,
// no row headers, no wrapped text.
void PreparaGrilla(QTableView* grilla, ModeloDeclaraciones* modelo);

// Every column of the grid in view at the grid's width: each column as wide as its
// heading and its widest value (muestras, by column; "" for none), the column estirada
// taking the room that is left.
void AnchosDeColumnas(QTableView* grilla, const QStringList& muestras, int estirada);

// The row shown as current (the first when none is marked); -1 when the list is empty.
int FilaActual(const QTableView& grilla);

// The row at posicion made current and shown; the last row when the list is shorter now.
void VuelveAFila(QTableView& grilla, int posicion);

// The list windows' message for an error they trap: its description and number.
void MuestraErrorLista(const QString& descripcion, int numero);

// Runs paso; a database or runtime error it raises is shown with MuestraErrorLista.
// False when one was.
bool AtrapaErrorLista(const std::function<void()>& paso);
