// The item records of the engine tables and their collections.
//
// Each record is a plain struct, zero when created; Create() sets the fields
// that the collection's Add takes, in the order of the record.
#pragma once

#include "calc/ItemCollection.h"

#include <cstdint>
#include <string>

namespace wyndlor {

// One sub-catchment in a weighted average: weight n (km2), value V (fp or C),
// rounded product NV written by clsAve::Calc.
struct clsAveItem {
    std::string Title;
    double n = 0, V = 0, NV = 0;
    static clsAveItem Create(std::string strTitle, double dblN, double dblV) {
        clsAveItem it;
        it.Title = std::move(strTitle);
        it.n = dblN;
        it.V = dblV;
        return it;
    }
};

// One pass of the flood-arrival-time iteration: duration t (min), intensity
// r (mm/h), effective intensity re = r fp (mm/h), resulting tp (min).
struct clsTpData {
    double t = 0, r = 0, re = 0, tp = 0;
    static clsTpData Create(double dblT, double dblR, double dblRe, double dblTp) {
        return clsTpData{dblT, dblR, dblRe, dblTp};
    }
};

// One duration step of the rainfall formula: t = k DT (min), r (mm/h),
// nr = k r, i = nr(k) - nr(k-1), the mean intensity of the k-th step alone.
struct clsRdataIn {
    int32_t t = 0;
    double r = 0, nr = 0, i = 0;
    static clsRdataIn Create(int32_t lngT, double dblR, double dblnr) {
        clsRdataIn it;
        it.t = lngT;
        it.r = dblR;
        it.nr = dblnr;
        return it;
    }
};

// One step of the arranged hyetograph: end time t (min), start and end as
// hours and minutes, intensity r (mm/h).
struct clsRdataR {
    int32_t t = 0, tshh = 0, tsmm = 0, tehh = 0, temm = 0;
    double r = 0;
    static clsRdataR Create(int32_t lngT, double dblR) {
        clsRdataR it;
        it.t = lngT;
        it.r = dblR;
        return it;
    }
};

// One step of the inflow hydrograph: end time t (min), intensity r (mm/h),
// runoff Qi (m3/s) and design inflow Qid (m3/s).
struct clsQiData {
    int32_t t = 0;
    double r = 0, Qi = 0, Qid = 0;
    static clsQiData Create(int32_t lngT, double dblR) {
        clsQiData it;
        it.t = lngT;
        it.r = dblR;
        return it;
    }
};

// One time point of the flood routing: time t (min) also as hh:mm, inflow
// Qi (m3/s); outflow Qo (m3/s), level EL (m), overflow depth h (m) and
// storage V (m3) written by CQo::Calc.
struct clsQoData {
    int32_t t = 0, hh = 0, mm = 0;
    double Qi = 0, Qo = 0, EL = 0, h = 0, V = 0;
    static clsQoData Create(int32_t lngT, double dblQi) {
        clsQoData it;
        it.t = lngT;
        it.hh = lngT / 60;  // times are never negative
        it.mm = lngT - 60 * it.hh;
        it.Qi = dblQi;
        return it;
    }
};

// One point of the storage relation: level EL (m), depth h above the first
// point (m), surface area A (m2), storage V (m3).
struct clsQoHVC {
    double EL = 0, h = 0, A = 0, V = 0;
    static clsQoHVC Create(double dblEL, double dblH, double dblA, double dblV) {
        return clsQoHVC{dblEL, dblH, dblA, dblV};
    }
};

using colAveItem = ItemCollection<clsAveItem>;
using colTpData = ItemCollection<clsTpData>;
using colRdataIn = ItemCollection<clsRdataIn>;
using colRdataR = ItemCollection<clsRdataR>;
using colQiData = ItemCollection<clsQiData>;
using colQoData = ItemCollection<clsQoData>;
using colQoHVC = ItemCollection<clsQoHVC>;

}  // namespace wyndlor
