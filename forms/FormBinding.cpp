#include "forms/FormBinding.h"

#include "core/Messages.h"
#include "forms/InputGrid.h"
#include "widgets/MessageBoxes.h"
#include "widgets/NumberField.h"
#include "widgets/PictureFormat.h"
#include "forms/frmInpArea.h"
#include "forms/frmInpDeltaT.h"
#include "forms/frmInpHVC.h"
#include "forms/frmInpJyoken.h"
#include "forms/frmInpSection.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <iterator>

namespace wyndlor {

namespace {

// The loading statements: each one that meets a value it cannot show leaves
// its control as it was and the handler goes on.
void Show(NumberField *field, const SlotValue &v) {
    double d = 0;
    if (v.ToDouble(d) == 0) field->SetValue(d);
}

void Select(OptionGroup *group, const SlotValue &v) {
    int32_t i = 0;
    if (v.ToLong(i) == 0) group->SetIndex(i);
}

void ShowCell(InputGrid *grid, int row, int col, const SlotValue &v, bool numeric) {
    if (!numeric) {
        grid->SetCellText(row, col, QString::fromStdString(v.ToText()));
        return;
    }
    double d = 0;
    if (v.ToDouble(d) == 0) grid->SetCellNumber(row, col, d);
}

SlotValue Number(const NumberField *field) {
    return SlotValue::Double(field->Value());
}

// A numeric cell as the table stores it: a double, or the text itself when
// it is no number (the grid does not let one in; a calculation would
// report the type error).
SlotValue CellValue(const InputGrid *grid, int row, int col) {
    double d = 0;
    if (grid->CellNumber(row, col, d)) return SlotValue::Double(d);
    return SlotValue::String(grid->CellText(row, col).trimmed().toStdString());
}

void Inform(QWidget *parent, const QString &text, const QString &title) {
    MessageBoxes().Show(parent, text, title, MsgIcon::Information, MsgButtons::Ok);
}

}  // namespace

// ---- Calculation conditions ------------------------------------------------

void LoadJyoken(const Project &project, frmInpJyoken &form) {
    form.txtTitle->setText(QString::fromUtf8("(未定義)"));
    for (NumberField *f : {form.numV, form.numFWL, form.numA, form.numQfix, form.numConstA,
                           form.numConstB, form.numConstN})
        f->SetValue(0);
    form.numYoyuu->SetValue(20);
    form.numCalcTime->SetValue(12);
    for (OptionGroup *g : {form.optSiki, form.optTime, form.optUnit, form.optHakei}) g->SetIndex(0);
    if (!project.Data.HasConditions) return;

    const SlotArray &d = project.Data.ConditionsData;
    form.txtTitle->setText(QString::fromStdString(d(slot::Title).ToText()));
    Show(form.numV, d(slot::Volume));
    Show(form.numFWL, d(slot::FWL));
    Show(form.numA, d(slot::Area));
    Show(form.numYoyuu, d(slot::Yoyuu));
    Show(form.numQfix, d(slot::Qfix));
    Select(form.optSiki, d(slot::Siki));
    Select(form.optTime, d(slot::Time));
    Select(form.optUnit, d(slot::Unit));
    Show(form.numConstA, d(slot::ConstA));
    Show(form.numConstB, d(slot::ConstB));
    Show(form.numConstN, d(slot::ConstN));
    Show(form.numCalcTime, d(slot::CalcTime));
    Select(form.optHakei, d(slot::Hakei));
}

void SaveJyoken(Project &project, const frmInpJyoken &form, bool &) {
    SlotArray &d = project.Data.ConditionsData;
    d(slot::Title) = SlotValue::String(form.txtTitle->text().toStdString());
    d(slot::Volume) = Number(form.numV);
    d(slot::FWL) = Number(form.numFWL);
    d(slot::Area) = Number(form.numA);
    d(slot::Yoyuu) = Number(form.numYoyuu);
    d(slot::Qfix) = Number(form.numQfix);
    d(slot::Siki) = SlotValue::Int32(form.optSiki->Index());
    d(slot::Time) = SlotValue::Int32(form.optTime->Index());
    d(slot::Unit) = SlotValue::Int32(form.optUnit->Index());
    d(slot::ConstA) = Number(form.numConstA);
    d(slot::ConstB) = Number(form.numConstB);
    d(slot::ConstN) = Number(form.numConstN);
    d(slot::CalcTime) = Number(form.numCalcTime);
    d(slot::Hakei) = SlotValue::Int32(form.optHakei->Index());
    project.Data.HasConditions = true;
    project.MarkEdited();
}

// ---- h-V curve ---------------------------------------------------------------

void LoadHVC(const Project &project, frmInpHVC &form) {
    const SlotArray &cond = project.Data.ConditionsData;
    InputGrid *grid = form.vaSpread1;
    form.optHVC->SetIndex(0);
    Show(form.numFWL, cond(slot::FWL));
    grid->ClearAll();
    // Until levels are entered, the table offers the full water level and
    // one metre above it, both with the surface area at full water level.
    double fwl = 0, area = 0;
    if (cond(slot::FWL).ToDouble(fwl) == 0) {
        grid->SetCellNumber(0, frmInpHVC::ColLevel, fwl);
        grid->SetCellNumber(1, frmInpHVC::ColLevel, fwl + 1);
    }
    if (cond(slot::Area).ToDouble(area) == 0) {
        grid->SetCellNumber(0, frmInpHVC::ColArea, area);
        grid->SetCellNumber(1, frmInpHVC::ColArea, area);
    }
    if (!project.Data.HasHVC) return;

    Select(form.optHVC, project.Data.HVCData(slot::HVCMethod));
    Show(form.numFWL, project.Data.HVCData(slot::HVCStartLevel));
    const SlotTable &t = project.Data.HVCTable;
    const int rows = std::min(project.Data.HVCCount, t.Rows());
    for (int r = 1; r <= rows; ++r) {
        ShowCell(grid, r - 1, frmInpHVC::ColLevel, t(1, r), true);
        ShowCell(grid, r - 1, frmInpHVC::ColArea, t(2, r), true);
    }
}

void SaveHVC(Project &project, frmInpHVC &form, bool &cancel) {
    const InputGrid *grid = form.vaSpread1;
    const std::vector<int> both = {frmInpHVC::ColLevel, frmInpHVC::ColArea};
    std::vector<int> dataRows;
    for (int r = 0; r < grid->rowCount(); ++r)
        if (grid->RowFilled(r, both)) dataRows.push_back(r);

    const int method = form.optHVC->Index();
    if (method == 1) {
        // Frustums need at least two sections, taken from the bottom up: a
        // level that does not rise from one row to the next would give a
        // frustum of zero or negative height, and the storage relation would
        // no longer grow with the level.
        const QString title = msg::HvcFormTitle();
        if (dataRows.size() < 2) {
            cancel = true;
            Inform(&form, msg::HvcTooFewRowsText(), title);
            return;
        }
        double previous = 0;
        for (size_t i = 0; i < dataRows.size(); ++i) {
            double level = 0;
            grid->CellNumber(dataRows[i], frmInpHVC::ColLevel, level);
            if (i > 0 && level <= previous) {
                cancel = true;
                Inform(&form, msg::HvcLevelsNotRisingText(), title);
                return;
            }
            previous = level;
        }
    }

    ProjectData &d = project.Data;
    d.HVCData(slot::HVCMethod) = SlotValue::Int16(static_cast<int16_t>(method));
    d.HVCData(slot::HVCStartLevel) = Number(form.numFWL);
    d.HasHVC = true;
    d.HVCTable = SlotTable(2, kTableRows);
    int32_t count = 0;
    for (int r : dataRows) {
        ++count;
        d.HVCTable(1, count) = CellValue(grid, r, frmInpHVC::ColLevel);
        d.HVCTable(2, count) = CellValue(grid, r, frmInpHVC::ColArea);
    }
    d.HVCCount = count;
    project.MarkEdited();
}

// ---- Catchment ---------------------------------------------------------------

namespace {
const std::vector<int> &NumberColumns() {
    static const std::vector<int> cols = {frmInpArea::ColArea, frmInpArea::ColFp, frmInpArea::ColC};
    return cols;
}
}  // namespace

void LoadArea(const Project &project, frmInpArea &form) {
    InputGrid *grid = form.vaSpread1;
    grid->ClearAll();
    form.numArea->SetValue(0);
    form.numFp->SetValue(0);
    form.numC->SetValue(0);
    if (!project.Data.HasCatchment) return;

    const SlotTable &t = project.Data.CatchmentTable;
    const int rows = std::min(project.Data.CatchmentCount, t.Rows());
    for (int r = 1; r <= rows; ++r) {
        ShowCell(grid, r - 1, frmInpArea::ColName, t(1, r), false);
        ShowCell(grid, r - 1, frmInpArea::ColArea, t(2, r), true);
        ShowCell(grid, r - 1, frmInpArea::ColFp, t(3, r), true);
        ShowCell(grid, r - 1, frmInpArea::ColC, t(4, r), true);
    }
    const SlotArray &s = project.Data.CatchmentSummary;
    Show(form.numArea, s(slot::SumArea));
    Show(form.numFp, s(slot::SumFp));
    Show(form.numC, s(slot::SumC));
}

// Adopted values of 0 with sub-catchments in the table are almost always
// "ﾃﾞﾌｫﾙﾄ値" not pressed, and the calculation cannot go on without them:
// offer the table's values for those at 0.  False when the engineer
// cancelled, to go on editing.
static bool OfferAreaDefaults(frmInpArea &form) {
    NumberField *const fields[] = {form.numArea, form.numFp, form.numC};
    const bool anyZero = std::any_of(std::begin(fields), std::end(fields), [](NumberField *f) { return !(f->Value() > 0); });
    bool anyRow = false;
    for (int r = 0; r < form.vaSpread1->rowCount(); ++r) anyRow = anyRow || form.vaSpread1->RowFilled(r, NumberColumns());
    if (!anyZero || !anyRow) return true;
    const MsgResult answer = MessageBoxes().Show(&form, msg::AreaDefaultsOfferText(), form.windowTitle(),
                                                 MsgIcon::Question, MsgButtons::YesNoCancel);
    if (answer == MsgResult::Cancel) return false;
    if (answer == MsgResult::Yes) {
        double kept[3];
        for (int i = 0; i < 3; ++i) kept[i] = fields[i]->Value();
        CalcAreaDefaults(form);
        // What the engineer entered stays; only the values at 0 are taken.
        for (int i = 0; i < 3; ++i)
            if (kept[i] > 0) fields[i]->SetValue(kept[i]);
    }
    return true;
}

void SaveArea(Project &project, frmInpArea &form, bool &cancel) {
    if (!OfferAreaDefaults(form)) {
        cancel = true;
        return;
    }
    const InputGrid *grid = form.vaSpread1;
    ProjectData &d = project.Data;
    d.CatchmentTable = SlotTable(4, kTableRows);
    int32_t count = 0;
    for (int r = 0; r < grid->rowCount(); ++r) {
        if (!grid->RowFilled(r, NumberColumns())) continue;
        ++count;
        d.CatchmentTable(1, count) =
            SlotValue::String(grid->CellText(r, frmInpArea::ColName).toStdString());
        d.CatchmentTable(2, count) = CellValue(grid, r, frmInpArea::ColArea);
        d.CatchmentTable(3, count) = CellValue(grid, r, frmInpArea::ColFp);
        d.CatchmentTable(4, count) = CellValue(grid, r, frmInpArea::ColC);
    }
    d.CatchmentCount = count;
    d.CatchmentSummary(slot::SumArea) = Number(form.numArea);
    d.CatchmentSummary(slot::SumFp) = Number(form.numFp);
    d.CatchmentSummary(slot::SumC) = Number(form.numC);
    d.HasCatchment = true;
    project.MarkEdited();
}

void CalcAreaDefaults(frmInpArea &form) {
    const InputGrid *grid = form.vaSpread1;
    clsAve aveFp, aveC;
    aveFp.DecItem = 4;
    aveFp.DecAve = 3;
    aveC.DecItem = 3;
    aveC.DecAve = 3;
    for (int r = 0; r < grid->rowCount(); ++r) {
        if (!grid->RowFilled(r, NumberColumns())) continue;
        double area = 0, fp = 0, c = 0;
        grid->CellNumber(r, frmInpArea::ColArea, area);
        grid->CellNumber(r, frmInpArea::ColFp, fp);
        grid->CellNumber(r, frmInpArea::ColC, c);
        const std::string name = grid->CellText(r, frmInpArea::ColName).toStdString();
        aveFp.DataItem().Add(name, area, fp);
        aveC.DataItem().Add(name, area, c);
    }
    if (aveFp.DataItem().Count() == 0) return;
    // A zero total area leaves the averages at 0; the fields then show 0
    // rather than an error, and the engineer enters the values by hand.
    aveFp.Calc();
    aveC.Calc();
    form.numArea->SetValue(aveFp.GN());
    form.numFp->SetValue(aveFp.Ave());
    form.numC->SetValue(aveC.Ave());
}

// ---- Spillway control section -------------------------------------------------

void LoadSection(const Project &project, frmInpSection &form) {
    form.optType->SetIndex(0);
    for (NumberField *f : {form.numB1, form.numC1, form.numB, form.numCd}) f->SetValue(0);
    if (project.Data.HasSection) {
        const SlotArray &s = project.Data.SectionData;
        Select(form.optType, s(slot::SectType));
        Show(form.numB1, s(slot::SectB1));
        Show(form.numC1, s(slot::SectC1));
        Show(form.numB, s(slot::SectB));
        Show(form.numCd, s(slot::SectCd));
    }
    form.ApplyType(form.optType->Index());
}

void SaveSection(Project &project, const frmInpSection &form, bool &) {
    SlotArray &s = project.Data.SectionData;
    s(slot::SectType) = SlotValue::Int32(form.optType->Index());
    s(slot::SectB1) = Number(form.numB1);
    s(slot::SectC1) = Number(form.numC1);
    s(slot::SectB) = Number(form.numB);
    s(slot::SectCd) = Number(form.numCd);
    project.Data.HasSection = true;
    project.MarkEdited();
}

// ---- Calculation time step -----------------------------------------------------

void LoadDeltaT(const Project &project, frmInpDeltaT &form) {
    // A scratch run of the one step: the last calculation run stays as it
    // was, with the input it was made from.
    CalcResults scratch;
    const bool ok = CalcTp(project.Data, scratch);
    form.numTp->SetValue(ok && scratch.objTp ? scratch.objTp->tp() : 0.0);
    form.numDeltaT->SetValue(10);
    if (project.Data.HasDeltaT) Show(form.numDeltaT, project.Data.DeltaTData(slot::DeltaT));
    // The guideline's step and the design flood discharge there, from the
    // current input: the rainfall and the inflow at that step alone.
    const int32_t tpStep = ok && scratch.objTp ? GuidelineStep(scratch.objTp->tp()) : 0;
    const QString text =
        msg::GuidelineStepText(tpStep, tpStep > 0 ? DesignDischargeAt(project.Data, tpStep) : 0.0);
    form.lblGuidelineStep->setText(text);
    form.lblGuidelineStep->setVisible(!text.isEmpty());
}

void SaveDeltaT(Project &project, const frmInpDeltaT &form, bool &) {
    project.Data.DeltaTData(slot::DeltaT) = Number(form.numDeltaT);
    project.Data.HasDeltaT = true;
    project.MarkEdited();
}

}  // namespace wyndlor
