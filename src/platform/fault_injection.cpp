#include "platform/fault_injection.h"

#include <QVector>

namespace platform {

namespace {
struct InjectedFault {
    FileOperation operation;
    int errorNumber;
    QString pathPart;
    int skipMatches;
};

QVector<InjectedFault>& pendingFaults()
{
    static QVector<InjectedFault> faults;
    return faults;
}
}  // namespace

void injectFault(FileOperation operation, int errorNumber, const QString& pathPart, int skipMatches)
{
    pendingFaults().append(InjectedFault{operation, errorNumber, pathPart, skipMatches});
}

void clearInjectedFaults()
{
    pendingFaults().clear();
}

int takeInjectedFault(FileOperation operation, const QString& path, const QString& otherPath)
{
    auto& faults = pendingFaults();
    for (int i = 0; i < faults.size(); ++i) {
        InjectedFault& fault = faults[i];
        if (fault.operation != operation)
            continue;
        if (!fault.pathPart.isEmpty() && !path.contains(fault.pathPart)
            && !otherPath.contains(fault.pathPart))
            continue;
        if (fault.skipMatches > 0) {
            --fault.skipMatches;
            continue;
        }
        const int number = fault.errorNumber;
        faults.removeAt(i);
        return number;
    }
    return 0;
}

FsError injectedError(FileOperation operation, const QString& path, const QString& otherPath)
{
    const int number = takeInjectedFault(operation, path, otherPath);
    return number ? makeError(number, otherPath.isEmpty() ? path : otherPath) : FsError{};
}

}  // namespace platform
