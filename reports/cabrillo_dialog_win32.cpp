// `Cabrillo`, the modal header editor (dialog template 101): shows the
// header, lets the operator change it and answers OK or Cancel. It reads and
// writes no file; CCabrilloLog::EditHeader fills it and takes the values back.
#include "platform/win32/dialog.h"
#include "plugin/module.h"
#include "reports/cabrillo_log.h"
#include "resources/resource_ids.h"

namespace {

class Cabrillo : public Dialog {
public:
    explicit Cabrillo(const CabrilloHeader& header) : Dialog(ModuleInstance(), IDD_CABRILLO), m_fields(header) {}

    // The eighteen fields, the soapbox in display form.
    CabrilloHeader m_fields;

protected:
    void DoDataExchange(DataExchange& dx) override {
        CabrilloHeader& f = m_fields;
        dx.Edit(IDC_CABRILLO_CALLSIGN, f.callsign);
        dx.Edit(IDC_CABRILLO_CLAIMED, f.claimed);
        dx.Edit(IDC_CABRILLO_CLUB, f.club);
        dx.List(IDC_CABRILLO_CATEGORY_OPERATOR, f.categoryOperator);
        dx.Edit(IDC_CABRILLO_CONTEST, f.contest);
        dx.Edit(IDC_CABRILLO_EMAIL, f.email);
        dx.Edit(IDC_CABRILLO_NAME, f.name);
        dx.Edit(IDC_CABRILLO_OPERATORS, f.operators);
        dx.Edit(IDC_CABRILLO_SOAPBOX, f.soapBox);
        dx.Edit(IDC_CABRILLO_ADDRESS, f.address);
        dx.List(IDC_CABRILLO_CATEGORY_BAND, f.categoryBand);
        dx.Edit(IDC_CABRILLO_CATEGORY_MODE, f.categoryMode);
        dx.List(IDC_CABRILLO_CATEGORY_POWER, f.categoryPower);
        dx.List(IDC_CABRILLO_CATEGORY_TRANSMITTER, f.categoryTransmitter);
        dx.List(IDC_CABRILLO_CATEGORY_OVERLAY, f.categoryOverlay);
        dx.Edit(IDC_CABRILLO_ADDRESS_CITY, f.addressCity);
        dx.Edit(IDC_CABRILLO_ADDRESS_POSTALCODE, f.addressPostalCode);
        dx.Edit(IDC_CABRILLO_ADDRESS_COUNTRY, f.addressCountry);
    }
};

}  // namespace

bool RunCabrilloHeaderDialog(CabrilloHeader& header) {
    try {
        // No owner given: the dialog is modal to the thread's active
        // top-level window (the host's), if there is one.
        Cabrillo dialog(header);
        if (dialog.RunModal() != IDOK) return false;
        header = dialog.m_fields;
        return true;
    } catch (...) {
        return false;  // treated as a cancelled editor
    }
}
