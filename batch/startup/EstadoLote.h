#pragma once
// The run state of a batch program: set once at start and kept for the run.
#include <QString>

#include <functional>
#include <memory>

namespace dao { class Database; }

namespace zav::lote {

// Where the renderer sends its lines.
inline constexpr const char* kDestinoImpresora = "PRINTER";
inline constexpr const char* kDestinoArchivo = "ARCHIVO";

struct EstadoLote {
    QString SysPath;   // as configured; also the current folder
    QString RutaBD;    // DBPath & DBName
    QString RutaRpt;   // SysPath & "RPT"
    QString RutaTmp;   // SysPath & "TMP"
    QString Usuario;   // SysUser
    std::unique_ptr<dao::Database> Base;

    // Rendering state of the report text renderer.
    QString FontName = QStringLiteral("Courier New");
    int FontSize = 8;
    bool FontBold = false;
    bool FontUnderline = false;
    bool FontItalic = false;
    bool SaltoPendiente = false;
    QString Destino = QString::fromLatin1(kDestinoArchivo);

    // How a failed start ends: after the failure's own message the program's last step
    // (given why, in a few words), then the status.
    std::function<void(const QString& razon)> AlFallarArranque;
    int EstadoFallaArranque = 1;
};

EstadoLote& Lote();

// A fresh state (tests run several programs in one process).
void ReiniciaLote();

} // namespace zav::lote
