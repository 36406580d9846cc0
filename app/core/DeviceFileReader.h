#pragma once
// One line of a device file at a time: its keyword (found in the quantity table, compared
// without regard to case) and the action of its kind on the record being built.

#include <string>

#include "app/core/DeviceModel.h"
#include "app/core/WarningQueue.h"

class DeviceFileReader {
public:
    enum class Result { Ok, Invalid, Fail };

    explicit DeviceFileReader(DeviceModel& m) : m_(m) {}
    Result Line(const std::string& line);
    // The warning a failed line asks for (empty caption: fail without a message).
    const Warning& PendingWarning() const { return warning_; }

private:
    class ValueScanner;
    Result Act(int kind, ValueScanner& scan);
    template <typename F>
    Result Param(ValueScanner& scan, F set);
    Result ParCoefficient(ValueScanner& scan, double& field, bool& read);
    Result Column(int n, TTypeCode type, double scale, double offset);
    Result LambdaRow(ValueScanner& scan);
    Result LambdaRefRow(ValueScanner& scan);
    void AfterColumn(int n, int type);

    DeviceModel& m_;
    Warning warning_;
    std::string line_;
};
