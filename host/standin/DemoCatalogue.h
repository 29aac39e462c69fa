#pragma once
// The master data of the demo books: chart of accounts, analytic classes and
// their objects (branches, persons, cost and revenue centres, contracts,
// goods groups), goods and the host's form and document types.

#include "DemoRandom.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class SqliteFile;

// What the document generator does with an account.
enum class AccountRole {
    None,
    Cash, PettyCash, Bank1, Bank2,
    WholesaleCustomers, RetailCustomers, ChequesInCollection,
    Inventory, PurchaseVat, Furniture, Vehicles,
    Suppliers, ChequesPayable, SalesVat, SalaryPayable,
    Capital, RetainedEarnings,
    Sales, DeliveryRevenue, SalesReturns, SalesDiscounts,
    SalaryExpense, InsuranceExpense, RentExpense, UtilitiesExpense, PhoneExpense,
    SuppliesExpense, TransportExpense, AdvertisingExpense, BankCharges,
    Count
};

// Analytic class IDs of tblAccountClass.
namespace DemoClass {
constexpr int CostCentre = 1;
constexpr int Project = 2;
constexpr int Branch = 3;
constexpr int GoodGroup = 4;
constexpr int RevenueCentre = 5;
constexpr int Staff = 6;
constexpr int Person = 7;
}

// Form types of tblVelkoFormType used by the ledger rows.
namespace DemoForm {
constexpr int Receipt = 201;
constexpr int Payment = 202;
constexpr int AccountingDocument = 303;
constexpr int AccountTurnover = 315;
constexpr int PurchaseInvoice = 401;
constexpr int SaleInvoice = 901;
constexpr int SaleReturn = 902;
}

// Document types of tblAccountDocumentType.
namespace DemoDocumentType {
constexpr int Opening = 100;
constexpr int General = 101;
constexpr int Sale = 102;
constexpr int Receipt = 103;
constexpr int Payment = 104;
constexpr int Purchase = 105;
constexpr int SaleReturn = 106;
constexpr int Payroll = 107;
}

struct DemoAccount
{
    int id = 0;
    int parentId = 0; // 0 = root
    std::string code;
    std::string title;
    int nature = 2;            // 0 debit, 1 credit, 2 none
    std::int64_t maxDebit = 0;
    std::int64_t maxCredit = 0;
    int level = 1;
    bool leaf = true;
    bool balanceSheet = true;  // carried into the next year's opening document
    int personClass = 0;       // class whose object every row carries (balances kept per object), 0 none
    AccountRole role = AccountRole::None;
};

struct DemoPerson
{
    int id = 0;
    std::string name;
    int contractId = 0; // the customer's sales contract, 0 none
};

struct DemoGood
{
    int id = 0;
    int groupId = 0;
    std::int64_t price = 0; // retail price of the newest year, rials
    bool taxable = true;
};

struct DemoCatalogue
{
    std::vector<DemoAccount> accounts;      // index = ID - 1
    std::vector<DemoPerson> wholesaleCustomers;
    std::vector<DemoPerson> retailCustomers;
    std::vector<DemoPerson> suppliers;
    std::vector<DemoPerson> staff;
    std::vector<DemoGood> goods;
    std::vector<int> saleBranches;          // branches where sales happen
    int headOfficeBranch = 1;
    int wholesaleUnit = 0;                  // revenue centres (tblPosition)
    int retailUnit = 0;
    std::vector<int> costCentres;           // cost centres charged with expenses
    std::vector<int> projects;              // projects charged with some expenses
    std::map<int, std::string> branchNames;
    std::map<int, std::string> contractNames;

    int accountId(AccountRole role) const;
    const DemoAccount &account(int id) const { return accounts[size_t(id - 1)]; }
    const std::string &branchName(int id) const { return branchNames.at(id); }
    const std::string &contractName(int id) const { return contractNames.at(id); }
};

// Builds the master data; persons' names are drawn with the seed's numbers.
DemoCatalogue BuildDemoCatalogue(DemoRandom &random);

// Writes the master tables (accounts and their closure, related classes,
// classes, branches, persons, positions, contracts, goods, form and document
// types) into an open database holding the schema.
void WriteDemoCatalogue(SqliteFile &file, const DemoCatalogue &catalogue);
