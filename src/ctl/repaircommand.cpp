// repair: what check finds and no guess is needed for, put right in an order that keeps the
// remote consistent after every write.
#include "commands.h"
#include "remote.h"

#include "device/layoutio.h"
#include "device/layoutrepair.h"
#include "model/repairplan.h"

#include <ostream>

namespace ctl {

int repairCommand(const Arguments& args, const Console& console) {
    auto remote = openRemote(console);
    if (!remote)
        return kNoRemote;
    const model::LayoutRead& read = remote->read;
    const model::RepairPlan plan = model::planRepair(read.layout, read.keyTable);
    const auto left = [&](const model::LayoutFindings& findings) {
        for (const model::LayoutFinding& violation : findings.violations)
            console.out << "left as it is: " << model::describe(violation) << '\n';
        return findings.violations.empty() ? kDone : kRefused;
    };
    if (plan.empty()) {
        const model::LayoutFindings findings = device::inspectDeviceLayout();
        if (findings.unreadable)
            return console.fail(kNoRemote, model::describe(*findings.unreadable));
        console.out << "nothing to repair\n";
        if (left(findings) != kDone)
            return console.fail(kRefused, "what is left needs a guess; nothing written");
        return kDone;
    }
    for (const std::string& line : model::describeRepair(plan, read.keyTable))
        console.out << line << '\n';
    if (args.has("--dry-run")) {
        console.out << "dry run: nothing written\n";
        return kDone;
    }
    const device::RepairResult result = device::applyRepair(*remote, plan);
    switch (result.outcome) {
    case device::RepairOutcome::NotAllowed:
        return remoteCheckStatus(result.check, console);
    case device::RepairOutcome::WriteStopped:
        return console.fail(kRefused, "the remote could not be written; " +
                                          std::to_string(result.writing.keysEmptied) + " of " +
                                          std::to_string(plan.emptiedKeys.size()) +
                                          " keys emptied, the block map and index not written; repair again");
    case device::RepairOutcome::Repaired:
        break;
    }
    if (result.after.unreadable)
        return console.fail(kNoRemote, "repaired, but " + model::describe(*result.after.unreadable));
    if (left(result.after) != kDone)
        return console.fail(kRefused, "repaired what needs no guess; the rest is left as it is");
    console.out << "repaired: layout sound\n";
    return kDone;
}

} // namespace ctl
