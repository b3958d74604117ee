#pragma once
// The company data of the page header, refreshed before each run of a report.
namespace outlik {

// Fills DANE_NAZWA_FIRMY, DANE_NIP_FIRMY and the two address lines DANE_ADRES1_FIRMY (street,
// number) and DANE_ADRES2_FIRMY (postcode, town) from FIRMA and the company's seat address valid
// on the print date (today when no print date is set). A company the database does not have
// leaves the four blank; a failed query is shown as a warning and changes nothing.
void USTAL_ADRES_FIRMY();

} // namespace outlik
