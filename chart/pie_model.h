#pragma once
// What a chart shows: the window's caption, the label of the pie and one wedge per figure. The
// windows that ask for a chart build it from the numbers their tables were written from.

#include <QString>
#include <vector>

struct PieWedge {
    QString label;  // legend text and tooltip: the name, the figure as shown and its unit
    double value = 0;
};

struct PieModel {
    QString caption;
    QString pieLabel;
    std::vector<PieWedge> wedges;
};

// A figure of a table row: its name, its text as the table shows it and its value.
struct PieFigure {
    QString name;
    QString shown;
    double value = 0;
};

// A zero that a table shows as "" or " " reads "0" in a chart.
QString ChartedText(const QString& shown);

// "ComputerName Disk Usage", the label of a pie of many rows.
QString DiskUsageLabel(const QString& computerName);

// One wedge per figure, labelled "Name (Shown Unit)".
std::vector<PieWedge> RowWedges(const std::vector<PieFigure>& figures, const QString& unit);

// The summary's pie: one wedge per directory row, by total size in the unit word Unit.
PieModel DirectoriesPie(const std::vector<PieFigure>& directories, const QString& unit,
                        const QString& computerName);
