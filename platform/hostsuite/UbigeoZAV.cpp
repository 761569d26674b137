#include "platform/hostsuite/UbigeoZAV.h"

#include "platform/db/Database.h"

#include <QComboBox>
#include <QFormLayout>
#include <QSignalBlocker>

namespace zav {

UbigeoZAV::UbigeoZAV(QWidget* parent) : QWidget(parent)
{
    cboDepartamento = new QComboBox(this);
    cboDepartamento->setObjectName(QStringLiteral("cboDepartamento"));
    cboProvincia = new QComboBox(this);
    cboProvincia->setObjectName(QStringLiteral("cboProvincia"));
    cboDistrito = new QComboBox(this);
    cboDistrito->setObjectName(QStringLiteral("cboDistrito"));
    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(QStringLiteral("Departamento"), cboDepartamento);
    layout->addRow(QStringLiteral("Provincia"), cboProvincia);
    layout->addRow(QStringLiteral("Distrito"), cboDistrito);
    connect(cboDepartamento, &QComboBox::currentIndexChanged, this, [this] { LlenaProvincias(); });
    connect(cboProvincia, &QComboBox::currentIndexChanged, this, [this] { LlenaDistritos(); });
}

void UbigeoZAV::setBaseDatos(dao::Database* db)
{
    db_ = db;
    Lee();
}

void UbigeoZAV::Lee()
{
    departamentos_.clear();
    provincias_.clear();
    distritos_.clear();
    if (db_) {
        const struct {
            const char* numero;
            std::vector<Lugar>* destino;
            int largo;
        } listas[] = {{"030", &departamentos_, 2}, {"031", &provincias_, 4}, {"001", &distritos_, 6}};
        try {
            for (const auto& l : listas) {
                auto rs = db_->OpenRecordset(
                    QStringLiteral("SELECT Argumento, Funcion FROM PARAM WHERE Numero=? ORDER BY Argumento"),
                    dao::dbOpenSnapshot, {QString::fromLatin1(l.numero)});
                for (; !rs->Eof(); rs->MoveNext()) {
                    const QString codigo = rs->Fields(0).Value().toText().trimmed();
                    const QString funcion = rs->Fields(1).Value().toText();
                    if (codigo.size() == l.largo)
                        l.destino->push_back({codigo, funcion.left(l.largo == 2 ? 25 : 30).trimmed(), funcion});
                }
                rs->Close();
            }
        } catch (...) {
            departamentos_.clear();
            provincias_.clear();
            distritos_.clear();
            Filtra();
            throw;
        }
    }
    Filtra();
}

void UbigeoZAV::setFiltro0(const QString& v) { filtros_[0] = v; Filtra(); }
void UbigeoZAV::setFiltro1(const QString& v) { filtros_[1] = v; Filtra(); }
void UbigeoZAV::setFiltro2(const QString& v) { filtros_[2] = v; Filtra(); }
void UbigeoZAV::setFiltro3(const QString& v) { filtros_[3] = v; Filtra(); }

bool UbigeoZAV::Ofrecido(const Lugar& d) const
{
    const QString departamento = filtros_[0].trimmed();
    if (!departamento.isEmpty() && departamento != QLatin1String("A") && !d.codigo.startsWith(departamento))
        return false;
    const int desde = filtros_[1] == QLatin1String("A") ? 30 : 40;
    const QString banderas = d.funcion.mid(desde, 10);
    for (const QString& mascara : {filtros_[2], filtros_[3]})
        for (int i = 0; i < mascara.size(); ++i)
            if (mascara[i] == QLatin1Char('1') && (i >= banderas.size() || banderas[i] != QLatin1Char('1')))
                return false;
    return true;
}

void UbigeoZAV::Filtra()
{
    const QString elegido = codigoubigeo();
    ofrecidos_.clear();
    for (const Lugar& d : distritos_)
        if (Ofrecido(d))
            ofrecidos_.push_back(&d);
    {
        const QSignalBlocker b(cboDepartamento);
        cboDepartamento->clear();
        for (const Lugar& dep : departamentos_) {
            bool tiene = false;
            for (const Lugar* d : ofrecidos_)
                tiene = tiene || d->codigo.startsWith(dep.codigo);
            if (tiene)
                cboDepartamento->addItem(dep.nombre, dep.codigo);
        }
        cboDepartamento->setCurrentIndex(-1);
    }
    LlenaProvincias();
    setCodigoubigeo(elegido);
}

void UbigeoZAV::LlenaProvincias()
{
    {
        const QSignalBlocker b(cboProvincia);
        cboProvincia->clear();
        const QString dep = cboDepartamento->currentData().toString();
        if (!dep.isEmpty())
            for (const Lugar& p : provincias_) {
                if (!p.codigo.startsWith(dep))
                    continue;
                bool tiene = false;
                for (const Lugar* d : ofrecidos_)
                    tiene = tiene || d->codigo.startsWith(p.codigo);
                if (tiene)
                    cboProvincia->addItem(p.nombre, p.codigo);
            }
        cboProvincia->setCurrentIndex(-1);
    }
    LlenaDistritos();
}

void UbigeoZAV::LlenaDistritos()
{
    const QSignalBlocker b(cboDistrito);
    cboDistrito->clear();
    const QString prov = cboProvincia->currentData().toString();
    if (!prov.isEmpty())
        for (const Lugar* d : ofrecidos_)
            if (d->codigo.startsWith(prov))
                cboDistrito->addItem(d->nombre, d->codigo);
    cboDistrito->setCurrentIndex(-1);
}

QString UbigeoZAV::codigoubigeo() const
{
    return cboDistrito->currentData().toString();
}

void UbigeoZAV::setCodigoubigeo(const QString& codigo)
{
    const QString c = codigo.trimmed();
    bool ofrecido = false;
    for (const Lugar* d : ofrecidos_)
        ofrecido = ofrecido || d->codigo == c;
    if (!ofrecido) {
        cboDepartamento->setCurrentIndex(-1);
        return;
    }
    cboDepartamento->setCurrentIndex(cboDepartamento->findData(c.left(2)));
    cboProvincia->setCurrentIndex(cboProvincia->findData(c.left(4)));
    cboDistrito->setCurrentIndex(cboDistrito->findData(c));
}

QStringList UbigeoZAV::CodigosOfrecidos() const
{
    QStringList codigos;
    for (const Lugar* d : ofrecidos_)
        codigos << d->codigo;
    return codigos;
}

} // namespace zav
