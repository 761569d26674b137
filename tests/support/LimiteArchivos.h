#pragma once
// A disk that fills up, for root as for any user: the limit on the size of the files a
// process writes (RLIMIT_FSIZE). SIGXFSZ is ignored, so a write past the limit fails with
// EFBIG, as one on a full disk fails, instead of ending the process. The temporary file
// of a writer is made (a new file is empty) and the write into it fails.
#include <QProcess>

#include <csignal>

#include <sys/resource.h>

namespace limite_detail {

inline void Limita(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit r{};
    getrlimit(RLIMIT_FSIZE, &r);
    r.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &r);
}

} // namespace limite_detail

// This process, while the object lives.
class LimiteArchivos {
public:
    explicit LimiteArchivos(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &antes_);
        senal_ = std::signal(SIGXFSZ, SIG_IGN);
        limite_detail::Limita(bytes);
    }
    ~LimiteArchivos()
    {
        setrlimit(RLIMIT_FSIZE, &antes_);
        std::signal(SIGXFSZ, senal_);
    }
    LimiteArchivos(const LimiteArchivos&) = delete;
    LimiteArchivos& operator=(const LimiteArchivos&) = delete;

private:
    rlimit antes_{};
    void (*senal_)(int) = SIG_DFL;
};

// A program started by p: the limit is set in the child, before it runs.
inline void LimitaArchivosDe(QProcess& p, rlim_t bytes)
{
    p.setChildProcessModifier([bytes] { limite_detail::Limita(bytes); });
}
