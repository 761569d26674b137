#pragma once
// The host suite's place-code picker: department, province and district lists over the
// PARAM place lists '030', '031' and '001'. Which districts it offers is set by four
// filters:
//   filtro0  departments offered: "" or "A" all, otherwise the code they start with;
//   filtro1  flag group the masks test: "A" the Amazonía zone flags (district Funcion
//            31-40), anything else the frontier flags (41-50);
//   filtro2, filtro3  masks of "0"/"1": a district is offered only when it carries "1"
//            at every "1" of each mask; an empty mask tests nothing.
// codigoubigeo is the six-digit code of the chosen district, "" while none is chosen.
#include <QString>
#include <QWidget>

#include <vector>

class QComboBox;
namespace dao { class Database; }

namespace zav {

class UbigeoZAV : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString filtro0 READ filtro0 WRITE setFiltro0)
    Q_PROPERTY(QString filtro1 READ filtro1 WRITE setFiltro1)
    Q_PROPERTY(QString filtro2 READ filtro2 WRITE setFiltro2)
    Q_PROPERTY(QString filtro3 READ filtro3 WRITE setFiltro3)
    Q_PROPERTY(QString codigoubigeo READ codigoubigeo WRITE setCodigoubigeo)

public:
    explicit UbigeoZAV(QWidget* parent = nullptr);

    // The database the lists are read from; reads them at once. Read errors
    // (dao::DaoError) reach the caller, with the lists left empty.
    void setBaseDatos(dao::Database* db);

    void setFiltro0(const QString& v);
    void setFiltro1(const QString& v);
    void setFiltro2(const QString& v);
    void setFiltro3(const QString& v);
    QString filtro0() const { return filtros_[0]; }
    QString filtro1() const { return filtros_[1]; }
    QString filtro2() const { return filtros_[2]; }
    QString filtro3() const { return filtros_[3]; }

    QString codigoubigeo() const;
    // Chooses the district when it is offered; any other code leaves nothing chosen.
    void setCodigoubigeo(const QString& codigo);

    // The six-digit codes offered, in code order.
    QStringList CodigosOfrecidos() const;

    QComboBox* cboDepartamento;
    QComboBox* cboProvincia;
    QComboBox* cboDistrito;

private:
    struct Lugar {
        QString codigo;
        QString nombre;
        QString funcion;
    };
    void Lee();
    void Filtra();
    void LlenaProvincias();
    void LlenaDistritos();
    bool Ofrecido(const Lugar& d) const;

    dao::Database* db_ = nullptr;
    QString filtros_[4];
    std::vector<Lugar> departamentos_, provincias_, distritos_;
    std::vector<const Lugar*> ofrecidos_;
};

} // namespace zav
