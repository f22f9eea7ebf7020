#include "app/SheetRouting.h"

void RouteRecord(ISheetPage* pActive, std::unique_ptr<CServoData> record) {
    if (pActive != nullptr)
        pActive->ReceiveRecord(std::move(record));
}

void RouteContinueModal(ISheetPage* pActive) {
    if (pActive != nullptr)
        pActive->ContinueModal();
}

bool AsksBeforeLeaving(const ISheetPage* pFrom, bool bSamePage) {
    return pFrom != nullptr && !bSamePage && pFrom->IsBusy();
}

bool MayCloseSheet(std::span<ISheetPage* const> pages) {
    for (ISheetPage* page : pages)
        if (page != nullptr && !page->OnQueryCancel())
            return false;
    return true;
}

SLinkStateLine LinkStateLine(ELinkState eState, const std::string& strDetail) {
    switch (eState) {
        case ELinkState::kLost:
            return {"Link lost: waiting for " + strDetail + " to come back", true};
        case ELinkState::kBusy:
            return {"Hardware busy in system: " + strDetail, true};
        case ELinkState::kBack:
            return {"Link back", false};
        case ELinkState::kOther:
            return {"Another device is at " + strDetail, true};
    }
    return {};
}
