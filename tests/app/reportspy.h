#pragma once
// Stands in for the program's error reporter hook and keeps "tag:number" of every report.

#include "toolkit/vberror.h"

#include <QStringList>

struct ReportSpy {
    ReportSpy()
    {
        vb::setReporter([this](const QString& tag, long number, const QString&) {
            reports << tag + u':' + QString::number(number);
        });
    }
    ~ReportSpy() { vb::setReporter({}); }
    ReportSpy(const ReportSpy&) = delete;
    ReportSpy& operator=(const ReportSpy&) = delete;
    QStringList reports;
};
