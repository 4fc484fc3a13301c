#pragma once
// One library sensor: a type keyword, a name and up to 20 points from raw
// input to physical value.

#include <QString>
#include <array>
#include <stdexcept>

namespace zuv {

class CSensore {
public:
    static constexpr int kPositions = 21; // 0..20; 0..19 are the curve

    qint16 NumPunti() const { return numPunti_; }
    void setNumPunti(qint16 v) { numPunti_ = v; }

    // An index outside 0..20 throws std::out_of_range and stores nothing.
    double X(int index) const { return x_.at(checked(index)); }
    void setX(int index, double v) { x_.at(checked(index)) = v; }
    double Y(int index) const { return y_.at(checked(index)); }
    void setY(int index, double v) { y_.at(checked(index)) = v; }

    const QString& Tipo() const { return tipo_; }
    void setTipo(const QString& v) { tipo_ = v; }
    const QString& NomeFile() const { return nomeFile_; }
    void setNomeFile(const QString& v) { nomeFile_ = v; }
    const QString& Nome() const { return nome_; }
    void setNome(const QString& v) { nome_ = v; }

private:
    static std::size_t checked(int index)
    {
        if (index < 0 || index >= kPositions)
            throw std::out_of_range("sensor point index out of range");
        return static_cast<std::size_t>(index);
    }

    qint16 numPunti_ = 0;
    std::array<double, kPositions> x_{};
    std::array<double, kPositions> y_{};
    QString tipo_;
    QString nomeFile_;
    QString nome_;
};

} // namespace zuv
