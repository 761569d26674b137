#pragma once
// The preview of a report file of the report folder.
#include <QDialog>
#include <QString>

class frmPreview : public QDialog {
    Q_OBJECT
public:
    explicit frmPreview(QWidget* parent = nullptr);

    // Bare name of the report file in gRutaRpt.
    QString Archivo;

    // Reads the report file archivo; every mode other than "PresPrevia" prints it. A
    // missing file is reported and nothing is printed.
    void pDesencripta(const QString& archivo, const QString& modo);
};
