#include "drives/drive_survey.h"

#include <QFile>
#include <algorithm>
#include <cmath>

#include "drives/disk_table.h"
#include "table/number_mask.h"

namespace {

constexpr double kBytesPerMB = 1048576.0;

// The figure cells that volume rows and the totals row share.
struct RowFigures {
    double availMB = 0;
    double usedMB = 0;
    double totalMB = 0;
    double changeMB = 0;
};

struct SurveySums {
    double availMB = 0;
    double totalMB = 0;
    double changeMB = 0;
};

double RoundToTenth(double value) {
    return std::floor(value * 10 + 0.5) / 10;
}

// The whole percentage, halves rounded up; "" when there is no size to divide by.
QString PercentUsed(double used, double total) {
    if (total <= 0) return {};
    return QString::number(static_cast<long long>(std::floor(used / total * 100 + 0.5)));
}

int AppendRow(CellGrid& grid) {
    grid.SetRows(grid.Rows() + 1);
    return grid.Rows() - 1;
}

void WriteFigures(CellGrid& grid, int row, const RowFigures& figures, bool firstPass) {
    grid.SetTextMatrix(row, kAvailCol, FormatMask(figures.availMB, kDecimalMask));
    grid.SetTextMatrix(row, kUsedCol, FormatMask(figures.usedMB, kDecimalMask));
    grid.SetTextMatrix(row, kTotalCol, FormatMask(figures.totalMB, kDecimalMask));
    grid.SetTextMatrix(row, kChangedCol,
                       FormatMask(firstPass ? 0 : figures.changeMB, kDecimalMask));
}

// The used MB is rounded to a tenth before it is shown, remembered and summed; the available
// and total MB only by the mask.
void WriteSpace(CellGrid& grid, int row, const VolumeReport& report, double& lastUsedMB,
                bool firstPass, SurveySums& sums) {
    RowFigures figures{report.freeBytes / kBytesPerMB, 0, report.totalBytes / kBytesPerMB, 0};
    figures.usedMB = RoundToTenth(figures.totalMB - figures.availMB);
    figures.changeMB = figures.usedMB - lastUsedMB;
    WriteFigures(grid, row, figures, firstPass);
    grid.SetTextMatrix(row, kPercentCol,
                       PercentUsed(report.totalBytes - report.freeBytes, report.totalBytes));
    grid.SetTextMatrix(row, kClusterCol,
                       FormatMask(static_cast<double>(report.clusterSize), kCountMask));
    sums.availMB += figures.availMB;
    sums.totalMB += figures.totalMB;
    sums.changeMB += figures.changeMB;
    lastUsedMB = figures.usedMB;
}

void WriteVolumeRow(CellGrid& grid, const Volume& volume, const VolumeReport& report,
                    SurveyMemory& memory, SurveySums& sums) {
    const int row = AppendRow(grid);
    grid.SetTextMatrix(row, kDriveCol, QFile::decodeName(volume.mountPoint));
    grid.SetRowData(row, volume.mountPoint);
    grid.SetTextMatrix(row, kLabelCol, report.label);
    grid.SetTextMatrix(row, kTypeCol, volume.fsType);
    if (volume.kind == DriveKind::Network) grid.SetTextMatrix(row, kMapCol, report.networkName);
    if (report.spaceKnown) {
        WriteSpace(grid, row, report, memory.LastUsedMB[volume.mountPoint], memory.FirstPass, sums);
    }
}

// The totals' used MB is the difference of the unrounded sums.
void WriteTotalsRow(CellGrid& grid, const SurveySums& sums, bool firstPass) {
    const int row = AppendRow(grid);
    const RowFigures figures{sums.availMB, sums.totalMB - sums.availMB, sums.totalMB,
                             sums.changeMB};
    grid.SetTextMatrix(row, kLabelCol, QString::fromLatin1(kTotalsLabel));
    WriteFigures(grid, row, figures, firstPass);
    grid.SetTextMatrix(row, kPercentCol, PercentUsed(figures.usedMB, figures.totalMB));
}

// The Drive column widens to the longest mount point, the map column to the longest mapping.
void FitColumns(CellGrid& grid, SurveyMemory& memory) {
    WidenColumn(grid, kDriveCol, LongestText(grid, kDriveCol));
    if (grid.Cols() <= kMapCol) return;
    memory.MaxMapCol = std::max(memory.MaxMapCol, LongestText(grid, kMapCol));
    WidenColumn(grid, kMapCol, memory.MaxMapCol);
}

QString DiagnosticText(const Volume& volume, const VolumeReport& report) {
    // One arg call: a mount point holding "%2" must not take the next argument's place.
    return QStringLiteral("Drive : %1, Type : %2%3")
        .arg(QFile::decodeName(volume.mountPoint), QString::number(static_cast<int>(volume.kind)),
             report.rawFigures);
}

}  // namespace

bool KindIncluded(const Volume& volume, const Settings& settings) {
    switch (volume.kind) {
        case DriveKind::Fixed:
            return true;
        case DriveKind::Removable:
            return volume.floppy ? settings.CheckFloppy : settings.CheckRemovable;
        case DriveKind::Network:
            return settings.CheckNetwork;
        case DriveKind::CdRom:
            return settings.CheckCDROM;
        case DriveKind::Other:
            break;
    }
    return false;
}

std::vector<std::pair<Volume, VolumeReport>> SurveyIncluded(VolumeSource& volumes,
                                                            const Settings& settings) {
    std::vector<Volume> included;
    for (const Volume& volume : volumes.ListVolumes()) {
        if (KindIncluded(volume, settings)) included.push_back(volume);
    }
    const std::vector<std::optional<VolumeReport>> reports = volumes.SurveyAll(included);
    std::vector<std::pair<Volume, VolumeReport>> answered;
    for (std::size_t i = 0; i < included.size(); ++i) {
        if (reports[i]) answered.emplace_back(included[i], *reports[i]);
    }
    return answered;
}

void SurveyDrives(CellGrid& grid, VolumeSource& volumes, const Settings& settings,
                  SurveyMemory& memory, const DiagnosticSink& diagnostic) {
    grid.SetRedraw(false);
    memory.MaxMapCol = SetupDiskGrid(grid, settings.CheckNetwork);
    grid.SetRows(1);
    SurveySums sums;
    for (const auto& [volume, report] : SurveyIncluded(volumes, settings)) {
        WriteVolumeRow(grid, volume, report, memory, sums);
        if (diagnostic) diagnostic(DiagnosticText(volume, report));
    }
    WriteTotalsRow(grid, sums, memory.FirstPass);
    FitColumns(grid, memory);
    memory.HaveCnt = grid.Rows();
    memory.FirstPass = false;
    grid.SetRedraw(true);
}
