#pragma once

#include "GM_Exception.h"

// A game file that could not be read; the detail names the file and what
// went wrong, for the log and the bug report.
class GM_ExceptionFileCorrupted : public GM_Exception
{
public:
    explicit GM_ExceptionFileCorrupted(const QString& detail = QString());
    ~GM_ExceptionFileCorrupted() override;

    const QString& getDetail() const { return detail_; }

private:
    QString detail_;
};
