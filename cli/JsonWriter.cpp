#include "cli/JsonWriter.h"

#include "core/Messages.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace wyndlor::cli {

std::string JsonNumber(double v) {
    if (!std::isfinite(v)) return "null";
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string JsonString(const std::string &s) {
    std::string o = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': o += "\\\""; break;
        case '\\': o += "\\\\"; break;
        case '\n': o += "\\n"; break;
        case '\r': o += "\\r"; break;
        case '\t': o += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                o += buf;
            } else {
                o += static_cast<char>(c);
            }
        }
    }
    return o + "\"";
}

namespace {

std::string Bool(bool b) { return b ? "true" : "false"; }

// A JSON object built field by field.
class Obj {
public:
    // Keys are plain ASCII names of ours and need no escaping; appending
    // piece by piece keeps a project's 25 kB of JSON from being copied
    // through temporaries field by field.
    Obj &Raw(const char *key, const std::string &value) {
        if (s_.size() > 1) s_ += ',';
        s_ += '"';
        s_ += key;
        s_ += "\":";
        s_ += value;
        return *this;
    }
    Obj &Num(const char *key, double v) { return Raw(key, JsonNumber(v)); }
    Obj &Int(const char *key, int64_t v) { return Raw(key, std::to_string(v)); }
    std::string Str() const { return s_ + "}"; }

private:
    std::string s_ = "{";
};

template <class Coll, class Fn>
std::string Array(const Coll &c, Fn item) {
    std::string s = "[";
    bool first = true;
    for (const auto &it : c) {
        if (!first) s += ",";
        first = false;
        s += item(*it);
    }
    return s + "]";
}

std::string AveJson(const std::shared_ptr<clsAve> &a) {
    if (!a) return "null";
    return Obj()
        .Int("Error", a->Error())
        .Num("GN", a->GN())
        .Num("GNV", a->GNV())
        .Num("Ave", a->Ave())
        .Raw("items", Array(a->DataItem(),
                            [](const clsAveItem &i) {
                                return Obj()
                                    .Raw("Title", JsonString(i.Title))
                                    .Num("n", i.n)
                                    .Num("V", i.V)
                                    .Num("NV", i.NV)
                                    .Str();
                            }))
        .Str();
}

}  // namespace

// The reasons of a check as an array of their words.
std::string ReasonsJson(const AccuracyCheck &c) {
    std::string s = "[";
    for (size_t i = 0; i < c.reasons.size(); ++i) s += (i ? "," : "") + JsonString(AccuracyReasonWord(c.reasons[i]));
    return s + "]";
}

std::string FormatJson(const FileRun &f) {
    Obj o;
    o.Raw("file", JsonString(f.file.toStdString()));
    o.Raw("read", Obj()
                      .Raw("ok", Bool(f.readOk))
                      .Raw("version", JsonString(f.read.version.toStdString()))
                      .Int("error", f.read.code)
                      .Str());
    if (!f.readOk) {
        for (const char *k : {"calc", "results", "tp", "aveFp", "aveC", "rainfall", "inflow", "routing", "check"})
            o.Raw(k, "null");
        return o.Str();
    }
    const CalcResults &r = f.run.Results;
    // A failed run says where and why; a good run's object stays {"ok":true}.
    Obj calc;
    calc.Raw("ok", Bool(f.run.Ok));
    if (!f.run.Ok)
        calc.Int("error", r.FailedError).Raw("reason", JsonString(msg::CalcFailureText(r).toStdString()));
    o.Raw("calc", calc.Str());
    o.Raw("results", Obj()
                         .Num("Q1", r.objQi ? r.objQi->Q1() : 0)
                         .Num("Q2", r.objQo ? r.objQo->Q2() : 0)
                         .Num("Hmax", r.objQo ? r.objQo->Hmax() : 0)
                         .Int("n", r.objQo ? r.objQo->n() : 0)
                         .Num("DesignFloodLevel", r.DesignFloodLevel)
                         .Str());
    o.Raw("tp", !r.objTp ? "null"
                         : Obj()
                               .Raw("ok", Bool(r.TpError == 0))
                               .Num("tp", r.objTp->tp())
                               .Raw("rows", Array(r.objTp->TpData(),
                                                  [](const clsTpData &i) {
                                                      return Obj().Num("t", i.t).Num("r", i.r).Num("re", i.re).Num("tp", i.tp).Str();
                                                  }))
                               .Str());
    o.Raw("aveFp", AveJson(r.objAveFp));
    o.Raw("aveC", AveJson(r.objAveC));
    o.Raw("rainfall", !r.objRdata ? "null"
                                  : Obj()
                                        .Int("Error", r.objRdata->Error())
                                        .Raw("Datain", Array(r.objRdata->Datain(),
                                                             [](const clsRdataIn &i) {
                                                                 return Obj().Int("t", i.t).Num("r", i.r).Num("nr", i.nr).Num("i", i.i).Str();
                                                             }))
                                        .Raw("DataR", Array(r.objRdata->DataR(),
                                                            [](const clsRdataR &i) {
                                                                return Obj()
                                                                    .Int("t", i.t)
                                                                    .Int("tshh", i.tshh)
                                                                    .Int("tsmm", i.tsmm)
                                                                    .Int("tehh", i.tehh)
                                                                    .Int("temm", i.temm)
                                                                    .Num("r", i.r)
                                                                    .Str();
                                                            }))
                                        .Str());
    o.Raw("inflow", !r.objQi ? "null"
                             : Obj()
                                   .Int("Error", r.objQi->Error())
                                   .Num("Q1", r.objQi->Q1())
                                   .Raw("rows", Array(r.objQi->Qi(),
                                                      [](const clsQiData &i) {
                                                          return Obj().Int("t", i.t).Num("r", i.r).Num("Qi", i.Qi).Num("Qid", i.Qid).Str();
                                                      }))
                                   .Str());
    o.Raw("routing", !r.objQo ? "null"
                              : Obj()
                                    .Int("Error", r.objQo->Error())
                                    .Int("n", r.objQo->n())
                                    .Num("Q2", r.objQo->Q2())
                                    .Num("Hmax", r.objQo->Hmax())
                                    .Raw("HVC", Array(r.objQo->HVC(),
                                                      [](const clsQoHVC &i) {
                                                          return Obj().Num("EL", i.EL).Num("h", i.h).Num("A", i.A).Num("V", i.V).Str();
                                                      }))
                                    .Raw("rows", Array(r.objQo->Qo(),
                                                       [](const clsQoData &i) {
                                                           return Obj()
                                                               .Int("t", i.t)
                                                               .Int("hh", i.hh)
                                                               .Int("mm", i.mm)
                                                               .Num("Qi", i.Qi)
                                                               .Num("Qo", i.Qo)
                                                               .Num("EL", i.EL)
                                                               .Num("h", i.h)
                                                               .Num("V", i.V)
                                                               .Str();
                                                       }))
                                    .Str());
    // A check without its reference has null reference values (not finite);
    // k is the guideline routing's largest stiffness number dt dQ/dh / A,
    // safeSideLevel is null unless a routing reason applies.
    const AccuracyCheck *c = f.run.ValidCheck();
    o.Raw("check", !c ? "null"
                      : Obj()
                            .Num("Q2", c->refQ2)
                            .Num("Hmax", c->refHmax)
                            .Num("tPeak", c->tPeak)
                            .Num("k", c->routing.maxK)
                            .Int("nonConverged", c->routing.nonConverged)
                            .Raw("warning", Bool(c->warning()))
                            .Raw("reasons", ReasonsJson(*c))
                            .Num("startOffset", c->startOffset)
                            .Num("balance", c->balance)
                            .Raw("tpStep", c->tpStep > 0 ? std::to_string(c->tpStep) : std::string("null"))
                            .Num("Q1AtTpStep", c->q1AtTpStep)
                            .Num("designFloodLevel", c->designFloodLevel)
                            .Num("safeSideLevel", c->safeSideLevel)
                            .Str());
    return o.Str();
}

}  // namespace wyndlor::cli
