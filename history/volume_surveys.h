#pragma once
// One survey of one volume as the table volume_surveys keeps it: a row per volume and survey,
// written by both programs and by anyone who brings history from elsewhere.

#include <QByteArray>
#include <QtGlobal>

struct SurveyRow {
    qint64 time = 0;  // Unix seconds, UTC
    QByteArray mountPoint;
    qint64 totalBytes = 0;
    qint64 availBytes = 0;  // what the running user may write
    qint64 freeBytes = 0;   // every free block
    qint64 usedBytes = 0;   // the total less the available
    QByteArray device;
    QByteArray fsType;
};
