#include "drives/drive_survey.h"

#include <QFile>
#include <algorithm>
#include <cmath>

#include "drives/disk_table.h"
#include "table/number_mask.h"

namespace {

constexpr double kBytesPerMB = 1048576.0;

double RoundToTenth(double value) {
    return std::floor(value * 10 + 0.5) / 10;
}

// The whole percentage, halves rounded up; none when there is no size to divide by.
std::optional<int> PercentUsed(double used, double total) {
    if (total <= 0) return std::nullopt;
    return static_cast<int>(std::floor(used / total * 100 + 0.5));
}

double MegaBytes(std::uint64_t bytes) {
    return static_cast<double>(bytes) / kBytesPerMB;
}

// The used MB is rounded to a tenth before it is shown, remembered and summed; the available
// and total MB only by the mask.
SpaceFigures FiguresOf(const VolumeReport& report, double& lastUsedMB, bool firstPass) {
    SpaceFigures figures;
    figures.availMB = MegaBytes(report.availBytes);
    figures.totalMB = MegaBytes(report.totalBytes);
    figures.usedMB = RoundToTenth(figures.totalMB - figures.availMB);
    figures.percentUsed = PercentUsed(figures.totalMB - figures.availMB, figures.totalMB);
    const double change = figures.usedMB - lastUsedMB;
    figures.changeMB = firstPass ? 0 : change;
    lastUsedMB = figures.usedMB;
    return figures;
}

// The totals' used MB is the difference of the unrounded sums; their change the sum of the
// volumes' changes.
SpaceFigures TotalsOf(const std::vector<VolumeRecord>& records) {
    SpaceFigures totals;
    for (const VolumeRecord& record : records) {
        if (!record.figures) continue;
        totals.availMB += record.figures->availMB;
        totals.totalMB += record.figures->totalMB;
        totals.changeMB += record.figures->changeMB;
    }
    totals.usedMB = totals.totalMB - totals.availMB;
    totals.percentUsed = PercentUsed(totals.usedMB, totals.totalMB);
    return totals;
}

int AppendRow(CellGrid& grid) {
    grid.SetRows(grid.Rows() + 1);
    return grid.Rows() - 1;
}

QString PercentText(const std::optional<int>& percent) {
    return percent ? QString::number(*percent) : QString();
}

void WriteFigures(CellGrid& grid, int row, const SpaceFigures& figures) {
    grid.SetTextMatrix(row, kAvailCol, FormatMask(figures.availMB, kDecimalMask));
    grid.SetTextMatrix(row, kUsedCol, FormatMask(figures.usedMB, kDecimalMask));
    grid.SetTextMatrix(row, kPercentCol, PercentText(figures.percentUsed));
    grid.SetTextMatrix(row, kTotalCol, FormatMask(figures.totalMB, kDecimalMask));
    grid.SetTextMatrix(row, kChangedCol, FormatMask(figures.changeMB, kDecimalMask));
}

void WriteVolumeRow(CellGrid& grid, const VolumeRecord& record, const DiskColumns& columns) {
    const int row = AppendRow(grid);
    const Volume& volume = record.volume;
    grid.SetTextMatrix(row, kDriveCol, QFile::decodeName(volume.mountPoint));
    grid.SetRowData(row, volume.mountPoint);
    grid.SetRowNote(row, record.report.fault.isEmpty() ? QString() : VolumeFaultText(record));
    grid.SetTextMatrix(row, kLabelCol, record.report.label);
    grid.SetTextMatrix(row, kTypeCol, volume.fsType);
    if (volume.kind == DriveKind::Network && columns.networkMap) {
        grid.SetTextMatrix(row, columns.MapCol(), record.report.networkName);
    }
    if (!record.figures) return;
    WriteFigures(grid, row, *record.figures);
    grid.SetTextMatrix(row, kClusterCol,
                       FormatMask(static_cast<double>(record.report.clusterSize), kCountMask));
}

void WriteTotalsRow(CellGrid& grid, const SpaceFigures& totals) {
    const int row = AppendRow(grid);
    grid.SetTextMatrix(row, kLabelCol, QString::fromLatin1(kTotalsLabel));
    WriteFigures(grid, row, totals);
}

// The Drive column widens to the longest mount point, the map column to the longest mapping.
void FitColumns(CellGrid& grid, SurveyMemory& memory) {
    WidenColumn(grid, kDriveCol, LongestText(grid, kDriveCol));
    if (!memory.Columns.networkMap) return;
    const int map = memory.Columns.MapCol();
    memory.MaxMapCol = std::max(memory.MaxMapCol, LongestText(grid, map));
    WidenColumn(grid, map, memory.MaxMapCol);
}

void WriteForecast(CellGrid& grid, int row, const std::optional<Forecast>& forecast,
                   const DiskColumns& columns) {
    if (columns.perDay) {
        grid.SetTextMatrix(row, columns.PerDayCol(),
                           forecast
                               ? FormatMask(forecast->growthBytesPerDay / kBytesPerMB, kDecimalMask)
                               : QString());
    }
    if (columns.fullIn) grid.SetTextMatrix(row, columns.FullInCol(), FullInText(forecast));
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

DiskRows SurveyVolumes(VolumeSource& volumes, const Settings& settings, SurveyMemory& memory) {
    std::vector<Volume> included;
    for (const Volume& volume : volumes.ListVolumes()) {
        if (KindIncluded(volume, settings)) included.push_back(volume);
    }
    const std::vector<std::optional<VolumeReport>> reports = volumes.SurveyAll(included);
    DiskRows rows;
    for (std::size_t i = 0; i < included.size(); ++i) {
        if (!reports[i]) continue;
        VolumeRecord record{included[i], *reports[i], std::nullopt, std::nullopt};
        if (record.report.spaceKnown) {
            record.figures = FiguresOf(record.report, memory.LastUsedMB[record.volume.mountPoint],
                                       memory.FirstPass);
        }
        rows.volumes.push_back(std::move(record));
    }
    rows.totals = TotalsOf(rows.volumes);
    memory.FirstPass = false;
    return rows;
}

DiskColumns WindowColumns(const Settings& settings) {
    return {.fullIn = settings.ShowFullIn, .networkMap = settings.CheckNetwork};
}

void FillDiskGrid(CellGrid& grid, const DiskRows& rows, const DiskColumns& columns,
                  SurveyMemory& memory) {
    grid.SetRedraw(false);
    memory.MaxMapCol = SetupDiskGrid(grid, columns);
    memory.Columns = columns;
    grid.SetRows(1);
    for (const VolumeRecord& record : rows.volumes)
        WriteVolumeRow(grid, record, columns);
    WriteTotalsRow(grid, rows.totals);
    WriteForecasts(grid, rows, columns);
    FitColumns(grid, memory);
    memory.HaveCnt = grid.Rows();
    grid.SetRedraw(true);
}

void WriteForecasts(CellGrid& grid, const DiskRows& rows, const DiskColumns& columns) {
    int row = 1;
    for (const VolumeRecord& record : rows.volumes)
        WriteForecast(grid, row++, record.forecast, columns);
    WriteForecast(grid, row, rows.totalsForecast, columns);
}

QString VolumeFaultText(const VolumeRecord& record) {
    return QStringLiteral("%1 could not be surveyed: %2")
        .arg(QFile::decodeName(record.volume.mountPoint), record.report.fault);
}

DiskRows SurveyDrives(CellGrid& grid, VolumeSource& volumes, const Settings& settings,
                      const DiskColumns& columns, SurveyMemory& memory,
                      const DiagnosticSink& diagnostic) {
    DiskRows rows = SurveyVolumes(volumes, settings, memory);
    FillDiskGrid(grid, rows, columns, memory);
    if (diagnostic) {
        for (const VolumeRecord& record : rows.volumes)
            diagnostic(DiagnosticText(record.volume, record.report));
    }
    return rows;
}
