#pragma once
// Smooth value noise that repeats exactly every `period` pixels both ways, so a texture built from it
// tiles without a seam. `cells` lattice points per period; values in [-1, 1].
#include "Rng.h"

#include <cmath>
#include <vector>

class PeriodicNoise {
public:
    PeriodicNoise(int cells, double period, Rng &rng) : m_cells(cells), m_period(period)
    {
        m_values.resize(size_t(cells * cells));
        for (double &v : m_values)
            v = rng.uniform(-1.0, 1.0);
    }

    double at(double x, double y) const
    {
        const double u = x / m_period * m_cells;
        const double v = y / m_period * m_cells;
        const double fu = std::floor(u);
        const double fv = std::floor(v);
        const int i0 = wrap(int(fu));
        const int j0 = wrap(int(fv));
        const int i1 = wrap(i0 + 1);
        const int j1 = wrap(j0 + 1);
        const double su = smooth(u - fu);
        const double sv = smooth(v - fv);
        const double top = lerp(value(i0, j0), value(i1, j0), su);
        const double bottom = lerp(value(i0, j1), value(i1, j1), su);
        return lerp(top, bottom, sv);
    }

private:
    int wrap(int i) const { return ((i % m_cells) + m_cells) % m_cells; }
    double value(int i, int j) const { return m_values[size_t(j * m_cells + i)]; }
    static double smooth(double t) { return t * t * (3.0 - 2.0 * t); }
    static double lerp(double a, double b, double t) { return a + (b - a) * t; }

    int m_cells;
    double m_period;
    std::vector<double> m_values;
};
