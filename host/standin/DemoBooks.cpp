#include "DemoBooks.h"
#include "DemoTexts.h"
#include "SqliteFile.h"

#include <algorithm>
#include <deque>
#include <map>
#include <stdexcept>

namespace {

using Money = std::int64_t; // whole rials
using Role = AccountRole;
namespace T = DemoText;

std::string str(std::int64_t number) { return std::to_string(number); }

// Amounts of older years are smaller: prices rise from year to year.
Money scaled(Money amount, int percent, Money unit = 1000)
{
    const Money value = amount * percent / 100;
    return std::max(unit, value - value % unit);
}

struct ObjectTag
{
    int classId = 0;
    int objectId = 0;
};

struct Line
{
    int account = 0;
    Money debit = 0;
    Money credit = 0;
    std::string description;
    std::string note;     // AccTransDescription
    std::string formSpec; // AdditionalFormSpec, a reference number
    int dueDay = -1;      // TransactionDate; -1 = the document's date
    int contract = 0;
    int formType = 0;     // source form of the row, 0 none
    int formId = 0;
    int person = 0;       // object of the account's person class
    ObjectTag tags[6];
    int tagCount = 0;

    Line &tag(int classId, int objectId)
    {
        if (objectId == 0)
            return *this;
        if (tagCount == int(std::size(tags)))
            throw std::logic_error("demo row with too many analytic objects: " + description);
        tags[tagCount++] = {classId, objectId};
        return *this;
    }
};

struct Document
{
    int type = 0;
    int day = 0;
    int branch = 1;
    std::string description;
    int formType = 0; // the source form of the rows added next, 0 none
    int formId = 0;
    bool draft = false;
    // A deque: add() hands out references that the builders keep while they
    // add the document's next rows (a vector would move them on growth).
    std::deque<Line> lines;

    void start(int documentType, int documentDay, int documentBranch, std::string text)
    {
        type = documentType;
        day = documentDay;
        branch = documentBranch;
        description = std::move(text);
        formType = 0;
        formId = 0;
        draft = false;
        lines.clear();
    }
    Line &add(int account, Money debit, Money credit, std::string text)
    {
        Line &line = lines.emplace_back();
        line.account = account;
        line.debit = debit;
        line.credit = credit;
        line.description = std::move(text);
        line.formType = formType;
        line.formId = formId;
        return line;
    }
};

enum class EventKind { Receipt, ChequeCollection, SupplierPayment, ChequePayment, SaleReturn, SalaryPayment };

// Something that happens on a later day because of an earlier document.
struct Event
{
    EventKind kind = EventKind::Receipt;
    int person = 0;
    Role account = Role::None; // the customer's account for receipts and returns
    Money amount = 0;
    Money tax = 0;
    int branch = 1;
    int invoiceDocument = 0;   // accounting document of the invoice
    int invoiceId = 0;
    int invoiceCode = 0;
    int formId = 0;            // receipt, payment or purchase number
    int cheque = 0;
    int group = 0;             // goods group of a returned item
    int percent = 100;         // price level of the originating day
    int month = 0;
    int year = 0;
};

// A sale invoice as its accounting rows need it.
struct Invoice
{
    int id = 0;
    int code = 0;
    int branch = 0;
    int person = 0;          // customer, 0 for a cash sale
    Money net = 0;
    Money tax = 0;
    Money delivery = 0;
    int group = 0;           // goods group of the first item
    Money returnedValue = 0; // what a customer may bring back of the first item
    Money returnedTax = 0;
    Money total() const { return net + tax + delivery; }
};

class BookGenerator
{
public:
    BookGenerator(SqliteFile &file, const DemoCatalogue &catalogue, const std::vector<DemoDay> &days,
                  const std::vector<DemoPeriod> &periods, int today, DemoRandom &random);

    DemoBooksSummary run(int salesRows);

private:
    // Writing
    int post(Document &document);
    void link(int referenceType, int referenceId, int referenceRow, int relatedType, int relatedId,
              int relatedRow, Money value, bool valueKnown);

    // Days
    std::vector<int> salesPerDay(int salesRows) const;
    void runDay(int day, int sales);
    void schedule(int day, const Event &event);

    // Documents
    void opening(size_t periodIndex);
    Invoice invoice(int day, int branch, int person, bool wholesale);
    void recordInvoice(int day, const Invoice &invoice, int documentId);
    void sale(int day);
    void cashSalesOfDay(int day);
    void receipt(int day, const Event &event);
    void chequeCollection(int day, const Event &event);
    void saleReturn(int day, const Event &event);
    void purchase(int day);
    void supplierPayment(int day, const Event &event);
    void chequePayment(int day, const Event &event);
    void cashDeposit(int day, bool monthEnd);
    void rent(int day);
    void bills(int day);
    void payroll(int day);
    void salaryPayment(int day, const Event &event);
    void bankCharges(int day);
    void pettyExpense(int day);
    void pettyCashTopUp(int day);
    void drafts(int count);

    int id(Role role) const { return m_accountId[size_t(role)]; }
    const std::string &personName(int person) const { return m_personNames.at(person); }
    int pricePercent(int day) const;
    const DemoPerson &pickPerson(const std::vector<DemoPerson> &persons)
    {
        return persons[size_t(m_random.below(int(persons.size())))];
    }
    int pickSaleBranch();
    int chequeNumber() { return m_random.between(100000, 999999); }
    Line &tagCustomer(Line &line, Role account, int person, int branch);

    const DemoCatalogue &m_catalogue;
    const std::vector<DemoDay> &m_days;
    const std::vector<DemoPeriod> &m_periods;
    const int m_today;
    DemoRandom &m_random;

    SqliteStatement m_insertDocument;
    SqliteStatement m_insertDetail;
    SqliteStatement m_insertObject;
    SqliteStatement m_insertLink;
    SqliteStatement m_insertInvoice;
    SqliteStatement m_insertItem;
    SqliteStatement m_insertReturn;

    std::vector<int> m_accountId;
    std::map<int, std::string> m_personNames;
    std::map<int, int> m_contractOf; // wholesale customer -> contract

    std::vector<std::vector<Event>> m_agenda;
    std::map<std::pair<int, int>, Money> m_balance; // (account, person) -> debit minus credit

    size_t m_period = 0; // index of the period being written
    int m_nextDocument = 1;
    int m_code = 0;      // document numbers restart every year
    int m_invoiceCode = 0;
    int m_invoiceId = 0;
    int m_receiptId = 0;
    int m_paymentId = 0;
    int m_purchaseId = 0;
    int m_returnId = 0;
    int m_linkId = 0;
    int m_purchaseCredit = 0; // sales since the last purchase
    int m_returnPerMille = 15;
    int m_wholesaleRows = 0;
    int m_wholesaleReceipts = 0;
    Money m_undepositedCash = 0;
    int m_undepositedSales = 0;
    size_t m_staffOnPayroll = 0;
    std::map<int, std::vector<Invoice>> m_cashSales; // branch -> the day's cash sales
    Money m_pettySpent = 0;
    DemoBooksSummary m_summary;
};

BookGenerator::BookGenerator(SqliteFile &file, const DemoCatalogue &catalogue, const std::vector<DemoDay> &days,
                             const std::vector<DemoPeriod> &periods, int today, DemoRandom &random)
    : m_catalogue(catalogue)
    , m_days(days)
    , m_periods(periods)
    , m_today(today)
    , m_random(random)
    , m_insertDocument(file, "INSERT INTO tblAccountDocument (ID, Code, DocumentDate, FarsiDocumentDate, BranchID, "
                             "IsFinalized, IsScratch, Description, DocumentTypeID, PeriodID, UserID) "
                             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1)")
    , m_insertDetail(file, "INSERT INTO tblAccountDocumentDetail (DocumentID, RowNumber, AccountID, DebitValue, "
                           "CreditValue, Description, AccTransDescription, TransactionDate, FarsiTransactionDate, "
                           "DocumentTypeID, AdditionalFormSpec, ContractID, FormID, FormTypeID, IsChecked, "
                           "IsAssignmentExcluded, DocumentCode, DocumentDate, FarsiDocumentDate, BranchID, "
                           "IsFinalized, IsScratch) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
    , m_insertObject(file, "INSERT INTO tblAccountDocumentDetailObject (DocumentID, RowNumber, ClassID, ObjectID) "
                           "VALUES (?, ?, ?, ?)")
    , m_insertLink(file, "INSERT INTO tblVelkoRelatedForms (ID, ReferenceFormTypeID, ReferenceFormID, "
                         "ReferenceFormRowNumber, RelatedFormTypeID, RelatedFormID, RelatedFormRowNumber, "
                         "AssignedValue) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")
    , m_insertInvoice(file, "INSERT INTO tblSaleInvoice (ID, Code, InvoiceDate, FarsiInvoiceDate, CustomerID, "
                            "BranchID, DocumentID, TotalValue, TaxValue) "
                            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")
    , m_insertItem(file, "INSERT INTO tblSaleInvoiceItem (InvoiceID, RowNumber, GoodID, Qty, RetailPrice, "
                         "SaleValue) VALUES (?, ?, ?, ?, ?, ?)")
    , m_insertReturn(file, "INSERT INTO tblSaleReturn (ID, Code, ReturnDate, FarsiReturnDate, SaleInvoiceID, "
                           "CustomerID, BranchID, DocumentID, TotalValue, Description) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
    , m_accountId(size_t(Role::Count), 0)
    , m_agenda(days.size())
{
    for (const DemoAccount &account : catalogue.accounts)
        m_accountId[size_t(account.role)] = account.id;
    for (const auto *persons : {&catalogue.wholesaleCustomers, &catalogue.retailCustomers,
                                &catalogue.suppliers, &catalogue.staff})
        for (const DemoPerson &person : *persons)
            m_personNames[person.id] = person.name;
    for (const DemoPerson &person : catalogue.wholesaleCustomers)
        m_contractOf[person.id] = person.contractId;
}

int BookGenerator::pricePercent(int day) const
{
    // The newest year at today's prices, each older year about a third cheaper.
    static const int Percents[] = {100, 75, 55, 40};
    size_t period = 0;
    while (period + 1 < m_periods.size() && day > m_periods[period].lastDay)
        ++period;
    const size_t yearsBack = m_periods.size() - 1 - period;
    return Percents[std::min<size_t>(yearsBack, 3)];
}

int BookGenerator::pickSaleBranch()
{
    static const int Weights[] = {30, 20, 20, 15, 15};
    int draw = m_random.below(100);
    for (size_t i = 0; i < m_catalogue.saleBranches.size() && i < std::size(Weights); ++i) {
        if (draw < Weights[i])
            return m_catalogue.saleBranches[i];
        draw -= Weights[i];
    }
    return m_catalogue.saleBranches.front();
}

Line &BookGenerator::tagCustomer(Line &line, Role account, int person, int branch)
{
    line.person = person;
    line.tag(DemoClass::Person, person);
    if (account == Role::WholesaleCustomers) {
        line.tag(DemoClass::Branch, branch);
        const int contract = m_contractOf.at(person);
        if (contract != 0) {
            line.contract = contract;
            line.tag(DemoClass::Project, contract);
        }
    }
    return line;
}

int BookGenerator::post(Document &document)
{
    Money debit = 0;
    Money credit = 0;
    for (const Line &line : document.lines) {
        debit += line.debit;
        credit += line.credit;
    }
    if (debit != credit || document.lines.empty())
        throw std::logic_error("demo document out of balance: " + document.description);

    const int documentId = m_nextDocument++;
    const int code = ++m_code;
    const DemoDay &date = m_days[size_t(document.day)];
    const bool pastYear = document.day < m_periods.back().firstDay;
    const int age = m_today - document.day;
    const bool finalized = !document.draft && (pastYear || age > 45);

    // The texts bound below live in the document and the calendar until each run().
    m_insertDocument.put(documentId).put(code).putKept(date.iso).putKept(date.jalali).put(document.branch)
        .put(finalized ? 1 : 0).put(document.draft ? 1 : 0).putKept(document.description)
        .put(document.type).put(m_periods[m_period].id).run();

    int rowNumber = 0;
    for (const Line &line : document.lines) {
        ++rowNumber;
        const DemoAccount &account = m_catalogue.account(line.account);
        if (account.personClass != 0 && line.person == 0)
            throw std::logic_error("demo row without its person: " + line.description);
        // Older rows have mostly been reviewed already.
        const int reviewedPercent = document.draft ? 0 : pastYear ? 95 : age > 30 ? 60 : 10;
        const bool checked = m_random.chance(reviewedPercent);
        // Every fortieth row of the assignment account is kept out of assignment.
        const bool excluded = account.role == Role::WholesaleCustomers && !document.draft
                              && ++m_wholesaleRows % 40 == 0;
        const DemoDay &due = m_days[size_t(std::min<int>(line.dueDay < 0 ? document.day : line.dueDay,
                                                         int(m_days.size()) - 1))];
        m_insertDetail.put(documentId).put(rowNumber).put(line.account).put(line.debit).put(line.credit)
            .putKept(line.description).putKeptOrNull(line.note).putKept(due.iso).putKept(due.jalali)
            .put(document.type).putKeptOrNull(line.formSpec).putOptional(line.contract, line.contract != 0)
            .putOptional(line.formId, line.formType != 0)
            .putOptional(line.formType, line.formType != 0)
            .put(checked ? 1 : 0).put(excluded ? 1 : 0)
            .put(code).putKept(date.iso).putKept(date.jalali).put(document.branch).put(finalized ? 1 : 0)
            .put(document.draft ? 1 : 0).run();
        for (int t = 0; t < line.tagCount; ++t)
            m_insertObject.put(documentId).put(rowNumber).put(line.tags[t].classId).put(line.tags[t].objectId).run();
        if (!document.draft)
            m_balance[{line.account, account.personClass != 0 ? line.person : 0}] += line.debit - line.credit;
    }
    ++m_summary.documents;
    m_summary.details += rowNumber;
    return documentId;
}

void BookGenerator::link(int referenceType, int referenceId, int referenceRow, int relatedType, int relatedId,
                         int relatedRow, Money value, bool valueKnown)
{
    m_insertLink.put(++m_linkId).put(referenceType).put(referenceId)
        .putOptional(referenceRow, referenceRow != 0).put(relatedType).put(relatedId)
        .putOptional(relatedRow, relatedRow != 0).putOptional(value, valueKnown).run();
}

void BookGenerator::schedule(int day, const Event &event)
{
    // What falls after today has not happened yet.
    if (day <= m_today)
        m_agenda[size_t(day)].push_back(event);
}

std::vector<int> BookGenerator::salesPerDay(int salesRows) const
{
    // Spread the sales over the days up to today by weight (quiet Fridays and
    // Nowruz holidays), with whole numbers that add up exactly.
    std::vector<std::int64_t> cumulative(size_t(m_today) + 1, 0);
    std::int64_t total = 0;
    for (int day = m_periods.front().firstDay; day <= m_today; ++day) {
        const DemoDay &d = m_days[size_t(day)];
        int weight = 100;
        if (d.month == 1 && (d.day <= 4 || d.day == 13))
            weight = 15;
        else if (d.weekday == 5)
            weight = 35;
        else if (d.weekday == 4)
            weight = 75;
        total += weight;
        cumulative[size_t(day)] = total;
    }
    std::vector<int> sales(size_t(m_today) + 1, 0);
    std::int64_t previous = 0;
    for (int day = m_periods.front().firstDay; day <= m_today; ++day) {
        const std::int64_t upTo = std::int64_t(salesRows) * cumulative[size_t(day)] / total;
        sales[size_t(day)] = int(upTo - previous);
        previous = upTo;
    }
    return sales;
}

DemoBooksSummary BookGenerator::run(int salesRows)
{
    // A small business has a small staff: the monthly postings stay below
    // the sales account's rows down to about two hundred sales.
    m_staffOnPayroll = size_t(std::clamp(salesRows / 150, 1, int(m_catalogue.staff.size())));
    // About one and a half percent of the sales come back, and small books
    // still get a handful of returns.
    m_returnPerMille = std::clamp(10000 / std::max(1, salesRows), 15, 250);
    const std::vector<int> sales = salesPerDay(salesRows);
    for (m_period = 0; m_period < m_periods.size(); ++m_period) {
        const DemoPeriod &period = m_periods[m_period];
        m_code = 0;
        m_invoiceCode = 0;
        opening(m_period);
        for (int day = period.firstDay; day <= std::min(period.lastDay, m_today); ++day)
            runDay(day, sales[size_t(day)]);
    }
    m_period = m_periods.size() - 1;
    drafts(std::max(4, salesRows / 250));
    return m_summary;
}

void BookGenerator::runDay(int day, int sales)
{
    // Settlements due today come first, then the day's sales and purchases,
    // then the day's closing entries.
    std::vector<Event> due;
    due.swap(m_agenda[size_t(day)]);
    for (const Event &event : due) {
        switch (event.kind) {
        case EventKind::Receipt: receipt(day, event); break;
        case EventKind::ChequeCollection: chequeCollection(day, event); break;
        case EventKind::SupplierPayment: supplierPayment(day, event); break;
        case EventKind::ChequePayment: chequePayment(day, event); break;
        case EventKind::SaleReturn: saleReturn(day, event); break;
        case EventKind::SalaryPayment: salaryPayment(day, event); break;
        }
    }

    const DemoDay &date = m_days[size_t(day)];
    if (date.day == 1)
        rent(day);
    if (date.day == 10)
        bills(day);
    if (date.day == 15)
        pettyCashTopUp(day);
    if (date.day == 3 || date.day == 12 || date.day == 22)
        pettyExpense(day);

    for (int i = 0; i < sales; ++i)
        sale(day);
    cashSalesOfDay(day);

    // Stock is bought twice a month and again as sales use it up.
    m_purchaseCredit += sales;
    if (date.day == 5 || date.day == 20)
        purchase(day);
    while (m_purchaseCredit >= 25) {
        m_purchaseCredit -= 25;
        purchase(day);
    }

    cashDeposit(day, date.lastOfMonth);
    if (date.lastOfMonth) {
        payroll(day);
        bankCharges(day);
    }
}

void BookGenerator::opening(size_t periodIndex)
{
    const DemoPeriod &period = m_periods[periodIndex];
    Document document;
    document.start(DemoDocumentType::Opening, period.firstDay, m_catalogue.headOfficeBranch,
                   T::OpeningOfYear + str(period.jalaliYear));

    if (periodIndex == 0) {
        // The founders' capital, in cash, at the banks and in kind.
        const int percent = pricePercent(period.firstDay);
        const std::pair<Role, Money> assets[] = {
            {Role::Cash, 3000000000}, {Role::PettyCash, 500000000}, {Role::Bank1, 25000000000},
            {Role::Bank2, 12000000000}, {Role::Inventory, 18000000000}, {Role::Furniture, 4500000000},
            {Role::Vehicles, 9500000000},
        };
        Money capital = 0;
        for (const auto &[role, amount] : assets) {
            const Money value = scaled(amount, percent, 1000000);
            capital += value;
            document.add(id(role), value, 0, T::OpeningBalance + m_catalogue.account(id(role)).title);
        }
        document.add(id(Role::Capital), 0, capital, T::OpeningCapital);
    } else {
        // Close the year's income and expenses into retained earnings, then
        // carry every balance-sheet balance into the new year.
        Money result = 0;
        for (auto it = m_balance.begin(); it != m_balance.end();) {
            if (!m_catalogue.account(it->first.first).balanceSheet) {
                result += it->second;
                it = m_balance.erase(it);
            } else {
                ++it;
            }
        }
        m_balance[{id(Role::RetainedEarnings), 0}] += result;
        const std::map<std::pair<int, int>, Money> carried = std::move(m_balance);
        m_balance.clear();
        for (const auto &[key, amount] : carried) {
            if (amount == 0)
                continue;
            const auto [accountId, person] = key;
            const DemoAccount &account = m_catalogue.account(accountId);
            Line &line = document.add(accountId, amount > 0 ? amount : 0, amount < 0 ? -amount : 0,
                                      T::OpeningBalance + (person != 0 ? personName(person) : account.title));
            if (person != 0) {
                line.person = person;
                line.tag(account.personClass, person);
            }
        }
    }
    if (!document.lines.empty())
        post(document);
}

Invoice BookGenerator::invoice(int day, int branch, int person, bool wholesale)
{
    Invoice invoice;
    invoice.id = ++m_invoiceId;
    invoice.code = ++m_invoiceCode;
    invoice.branch = branch;
    invoice.person = person;
    const int percent = pricePercent(day);
    const int itemCount = wholesale ? m_random.between(2, 4) : m_random.between(1, 3);
    int chosen[4] = {0, 0, 0, 0};
    Money taxable = 0;
    for (int item = 0; item < itemCount; ++item) {
        int index = 0;
        do {
            index = m_random.below(int(m_catalogue.goods.size()));
        } while (std::find(chosen, chosen + item, index + 1) != chosen + item);
        chosen[item] = index + 1;
        const DemoGood &good = m_catalogue.goods[size_t(index)];
        const int quantity = wholesale ? m_random.between(5, 60) : m_random.between(1, 5);
        const Money price = scaled(good.price, percent);
        const Money value = price * quantity;
        invoice.net += value;
        if (good.taxable)
            taxable += value;
        m_insertItem.put(invoice.id).put(item + 1).put(good.id).put(quantity).put(price).put(value).run();
        if (item == 0) {
            invoice.group = good.groupId;
            invoice.returnedValue = price * std::max(1, quantity / 4);
            invoice.returnedTax = good.taxable ? invoice.returnedValue / 10 : 0;
        }
    }
    invoice.tax = (taxable + 5) / 10;
    invoice.delivery = wholesale && m_random.chance(20) ? scaled(1500000, percent) : 0;
    return invoice;
}

void BookGenerator::recordInvoice(int day, const Invoice &invoice, int documentId)
{
    const DemoDay &date = m_days[size_t(day)];
    m_insertInvoice.put(invoice.id).put(invoice.code).put(date.iso).put(date.jalali)
        .putOptional(invoice.person, invoice.person != 0).put(invoice.branch).put(documentId)
        .put(invoice.total()).put(invoice.tax).run();
}

void BookGenerator::sale(int day)
{
    const int branch = pickSaleBranch();
    const int kind = m_random.below(100);
    const Role account = kind < 15 ? Role::WholesaleCustomers : kind < 20 ? Role::RetailCustomers : Role::Cash;
    const bool wholesale = account == Role::WholesaleCustomers;
    const int person = wholesale ? pickPerson(m_catalogue.wholesaleCustomers).id
                       : account == Role::RetailCustomers ? pickPerson(m_catalogue.retailCustomers).id : 0;
    const Invoice sold = invoice(day, branch, person, wholesale);
    const std::string invoiceText = T::SaleByInvoice + str(sold.code);

    int documentId = 0;
    if (account == Role::Cash) {
        // Cash sales of a shop are posted together at the end of the day.
        m_cashSales[branch].push_back(sold);
    } else {
        const int creditDays = wholesale ? 30 : 15;
        Document document;
        document.start(DemoDocumentType::Sale, day, branch, invoiceText + T::To + personName(person));
        document.formType = DemoForm::SaleInvoice;
        document.formId = sold.id;
        Line &customer = document.add(id(account), sold.total(), 0, document.description);
        customer.formSpec = str(sold.code);
        tagCustomer(customer, account, person, branch);
        customer.dueDay = day + creditDays;
        customer.note = customer.contract ? T::ContractNote + m_catalogue.contractName(customer.contract)
                                          : T::SettleWithin + str(creditDays) + T::Days;
        if (wholesale) {
            customer.tag(DemoClass::RevenueCentre, m_catalogue.wholesaleUnit);
            customer.tag(DemoClass::GoodGroup, sold.group);
        }
        Line &revenue = document.add(id(Role::Sales), 0, sold.net, invoiceText);
        revenue.formSpec = str(sold.code);
        revenue.contract = customer.contract;
        revenue.tag(DemoClass::GoodGroup, sold.group);
        if (sold.tax > 0)
            document.add(id(Role::SalesVat), 0, sold.tax, T::SaleVat + str(sold.code)).formSpec = str(sold.code);
        if (sold.delivery > 0)
            document.add(id(Role::DeliveryRevenue), 0, sold.delivery, T::SaleDelivery + str(sold.code));
        documentId = post(document);
        recordInvoice(day, sold, documentId);

        Event settle;
        settle.kind = EventKind::Receipt;
        settle.person = person;
        settle.account = account;
        settle.branch = branch;
        settle.invoiceDocument = documentId;
        settle.invoiceId = sold.id;
        settle.invoiceCode = sold.code;
        if (wholesale && m_random.chance(20)) {
            // Paid in two instalments.
            settle.amount = sold.total() * 4 / 10;
            schedule(day + m_random.between(7, 30), settle);
            settle.amount = sold.total() - settle.amount;
            schedule(day + m_random.between(31, 75), settle);
        } else {
            settle.amount = sold.total();
            schedule(day + (wholesale ? m_random.between(7, 60) : m_random.between(3, 30)), settle);
        }
    }

    if (m_random.chancePerMille(m_returnPerMille)) {
        Event returned;
        returned.kind = EventKind::SaleReturn;
        returned.person = person;
        returned.account = account;
        returned.branch = branch;
        returned.invoiceId = sold.id;
        returned.invoiceCode = sold.code;
        returned.amount = sold.returnedValue;
        returned.tax = sold.returnedTax;
        returned.group = sold.group;
        schedule(day + m_random.between(1, 10), returned);
    }
}

void BookGenerator::cashSalesOfDay(int day)
{
    // One document per shop: a revenue row for every sale invoice, the day's
    // tax, and the cash taken.
    for (auto &[branch, invoices] : m_cashSales) {
        if (invoices.empty())
            continue;
        const std::string text = T::DailyCashSales + m_catalogue.branchName(branch);
        Document document;
        document.start(DemoDocumentType::Sale, day, branch, text);
        Money cash = 0;
        Money tax = 0;
        for (const Invoice &sold : invoices) {
            cash += sold.total();
            tax += sold.tax;
        }
        document.add(id(Role::Cash), cash, 0, text).note = T::InvoiceCount + str(std::int64_t(invoices.size()));
        document.formType = DemoForm::SaleInvoice;
        for (const Invoice &sold : invoices) {
            document.formId = sold.id;
            Line &revenue = document.add(id(Role::Sales), 0, sold.net, T::SaleByInvoice + str(sold.code));
            revenue.formSpec = str(sold.code);
            revenue.tag(DemoClass::GoodGroup, sold.group);
        }
        document.formType = 0;
        if (tax > 0)
            document.add(id(Role::SalesVat), 0, tax, T::DailySalesVat + m_catalogue.branchName(branch));
        const int documentId = post(document);
        for (const Invoice &sold : invoices)
            recordInvoice(day, sold, documentId);
        m_undepositedCash += cash;
        m_undepositedSales += int(invoices.size());
        invoices.clear();
    }
}

void BookGenerator::receipt(int day, const Event &event)
{
    const int receiptId = ++m_receiptId;
    const std::string &name = personName(event.person);
    const bool wholesale = event.account == Role::WholesaleCustomers;
    const bool byCheque = m_random.chance(wholesale ? 50 : 20);

    Document document;
    document.start(DemoDocumentType::Receipt, day, event.branch,
                   T::ReceiptFromCustomer + name + T::ForInvoice + str(event.invoiceCode));
    document.formType = DemoForm::Receipt;
    document.formId = receiptId;
    if (byCheque) {
        const int cheque = chequeNumber();
        const int dueDay = day + m_random.between(15, 90);
        Line &held = document.add(id(Role::ChequesInCollection), event.amount, 0,
                                  T::ChequeReceived + str(cheque) + T::From + name + T::DueOn
                                      + m_days[size_t(std::min<int>(dueDay, int(m_days.size()) - 1))].jalali);
        held.dueDay = dueDay;
        held.formSpec = str(cheque);
        held.note = T::DrawnOn + std::string(m_random.pick(T::ChequeBanks));
        held.person = event.person;
        held.tag(DemoClass::Person, event.person);
        Line &customer = document.add(id(event.account), 0, event.amount,
                                      T::ChequeReceived + str(cheque) + T::ForInvoice + str(event.invoiceCode));
        customer.formSpec = str(cheque);
        tagCustomer(customer, event.account, event.person, event.branch);

        // A few cheques bounce and stay in collection.
        if (m_random.chance(96)) {
            Event collect = event;
            collect.kind = EventKind::ChequeCollection;
            collect.cheque = cheque;
            collect.formId = receiptId;
            schedule(dueDay, collect);
        }
    } else {
        const Role bank = m_random.chance(60) ? Role::Bank1 : Role::Bank2;
        document.add(id(bank), event.amount, 0, T::TransferBy + name + T::ReceiptNumber + str(receiptId))
            .formSpec = str(receiptId);
        Line &customer = document.add(id(event.account), 0, event.amount,
                                      T::ReceiptFromCustomer + name + T::ByReceipt + str(receiptId));
        customer.formSpec = str(receiptId);
        tagCustomer(customer, event.account, event.person, event.branch);
    }
    const int documentId = post(document);

    // Wholesale receipts are assigned to the invoice they pay: mostly to the
    // invoice's accounting-document row, otherwise to the sale invoice form,
    // some of them still waiting for their amount.
    if (wholesale) {
        const int customerRow = 2;
        const int turn = ++m_wholesaleReceipts % 10;
        if (turn < 8)
            link(DemoForm::AccountingDocument, documentId, customerRow, DemoForm::AccountingDocument,
                 event.invoiceDocument, 1, event.amount, true);
        else
            link(DemoForm::AccountingDocument, documentId, customerRow, DemoForm::SaleInvoice, event.invoiceId, 0,
                 event.amount, turn == 8);
    }
}

void BookGenerator::chequeCollection(int day, const Event &event)
{
    const std::string &name = personName(event.person);
    const std::string text = T::ChequeCollected + str(event.cheque) + T::Dash + name;
    Document document;
    document.start(DemoDocumentType::Receipt, day, m_catalogue.headOfficeBranch, text);
    document.formType = DemoForm::Receipt;
    document.formId = event.formId;
    document.add(id(m_random.chance(60) ? Role::Bank1 : Role::Bank2), event.amount, 0, text + T::IntoBank)
        .formSpec = str(event.cheque);
    Line &held = document.add(id(Role::ChequesInCollection), 0, event.amount, text);
    held.formSpec = str(event.cheque);
    held.person = event.person;
    held.tag(DemoClass::Person, event.person);
    post(document);
}

void BookGenerator::saleReturn(int day, const Event &event)
{
    const int returnId = ++m_returnId;
    const bool withInvoice = returnId % 6 != 2; // now and then goods come back without their invoice
    const std::string text = withInvoice ? T::ReturnOfInvoice + str(event.invoiceCode)
                                         : T::ReturnWithoutInvoice + str(returnId);
    Document document;
    document.start(DemoDocumentType::SaleReturn, day, event.branch, text);
    document.formType = DemoForm::SaleReturn;
    document.formId = returnId;
    document.add(id(Role::SalesReturns), event.amount, 0, text).tag(DemoClass::GoodGroup, event.group);
    if (event.tax > 0)
        document.add(id(Role::SalesVat), event.tax, 0, T::ReturnVat + str(event.invoiceCode));
    Line &customer = document.add(id(event.account), 0, event.amount + event.tax, text);
    if (event.person)
        tagCustomer(customer, event.account, event.person, event.branch);
    const int documentId = post(document);

    const DemoDay &date = m_days[size_t(day)];
    m_insertReturn.put(returnId).put(returnId).put(date.iso).put(date.jalali)
        .putOptional(event.invoiceId, withInvoice).putOptional(event.person, event.person != 0)
        .put(event.branch).put(documentId).put(event.amount + event.tax).put(text).run();
    if (event.account == Role::Cash)
        m_undepositedCash -= event.amount + event.tax;
}

void BookGenerator::purchase(int day)
{
    const int purchaseId = ++m_purchaseId;
    const DemoPerson &supplier = pickPerson(m_catalogue.suppliers);
    const Money net = scaled(m_random.between64(200000000, 1200000000), pricePercent(day), 100000);
    const Money tax = m_random.chance(60) ? net / 10 : 0;
    const std::string number = str(purchaseId);

    Document document;
    document.start(DemoDocumentType::Purchase, day, m_catalogue.headOfficeBranch,
                   T::PurchaseByInvoice + number + T::From + supplier.name);
    document.formType = DemoForm::PurchaseInvoice;
    document.formId = purchaseId;
    Line &stock = document.add(id(Role::Inventory), net, 0,
                               T::PurchaseFrom + supplier.name + T::PurchaseInvoiceNumber + number);
    stock.formSpec = number;
    stock.note = T::IntoWarehouse + str(purchaseId + 5000);
    if (tax > 0)
        document.add(id(Role::PurchaseVat), tax, 0, T::PurchaseVat + number);
    Line &payable = document.add(id(Role::Suppliers), 0, net + tax, T::PurchaseByInvoice + number);
    payable.formSpec = number;
    payable.dueDay = day + 30;
    payable.person = supplier.id;
    payable.tag(DemoClass::Person, supplier.id);
    post(document);

    Event pay;
    pay.kind = EventKind::SupplierPayment;
    pay.person = supplier.id;
    pay.amount = net + tax;
    pay.formId = purchaseId;
    schedule(day + m_random.between(15, 60), pay);
}

void BookGenerator::supplierPayment(int day, const Event &event)
{
    const int paymentId = ++m_paymentId;
    const std::string &name = personName(event.person);
    Document document;
    document.start(DemoDocumentType::Payment, day, m_catalogue.headOfficeBranch,
                   T::PaymentTo + name + T::ForPurchase + str(event.formId));
    document.formType = DemoForm::Payment;
    document.formId = paymentId;
    if (m_random.chance(40)) {
        const int cheque = chequeNumber();
        const int dueDay = day + m_random.between(20, 75);
        Line &paid = document.add(id(Role::Suppliers), event.amount, 0,
                                  T::PaymentByCheque + str(cheque) + T::ForPurchase + str(event.formId));
        paid.formSpec = str(cheque);
        paid.person = event.person;
        paid.tag(DemoClass::Person, event.person);
        Line &issued = document.add(id(Role::ChequesPayable), 0, event.amount,
                                    T::ChequeIssued + str(cheque) + T::PayableTo + name + T::DueOn
                                        + m_days[size_t(std::min<int>(dueDay, int(m_days.size()) - 1))].jalali);
        issued.formSpec = str(cheque);
        issued.dueDay = dueDay;
        issued.person = event.person;
        issued.tag(DemoClass::Person, event.person);
        Event clear = event;
        clear.kind = EventKind::ChequePayment;
        clear.cheque = cheque;
        clear.formId = paymentId;
        schedule(dueDay, clear);
    } else {
        Line &paid = document.add(id(Role::Suppliers), event.amount, 0, document.description);
        paid.formSpec = str(paymentId);
        paid.person = event.person;
        paid.tag(DemoClass::Person, event.person);
        document.add(id(m_random.chance(50) ? Role::Bank1 : Role::Bank2), 0, event.amount, T::TransferTo + name)
            .formSpec = str(paymentId);
    }
    post(document);
}

void BookGenerator::chequePayment(int day, const Event &event)
{
    const std::string text = T::ChequePaid + str(event.cheque) + T::PayableTo + personName(event.person);
    Document document;
    document.start(DemoDocumentType::Payment, day, m_catalogue.headOfficeBranch, text);
    document.formType = DemoForm::Payment;
    document.formId = event.formId;
    Line &issued = document.add(id(Role::ChequesPayable), event.amount, 0, text);
    issued.formSpec = str(event.cheque);
    issued.person = event.person;
    issued.tag(DemoClass::Person, event.person);
    document.add(id(Role::Bank2), 0, event.amount, text).formSpec = str(event.cheque);
    post(document);
}

void BookGenerator::cashDeposit(int day, bool monthEnd)
{
    // The shops' cash goes to the bank after every thirty sales, and at the
    // end of the month whatever has come in.
    const Money amount = m_undepositedCash - m_undepositedCash % 1000000;
    if (amount <= 0 || (m_undepositedSales < 30 && !monthEnd))
        return;
    Document document;
    document.start(DemoDocumentType::General, day, m_catalogue.headOfficeBranch, T::CashDeposit);
    document.add(id(Role::Bank1), amount, 0, T::CashDeposit);
    document.add(id(Role::Cash), 0, amount, T::CashDepositBank);
    post(document);
    m_undepositedCash -= amount;
    m_undepositedSales = 0;
}

void BookGenerator::rent(int day)
{
    const DemoDay &date = m_days[size_t(day)];
    const int percent = pricePercent(day);
    const std::string month = std::string(T::MonthNames[date.month - 1]) + " " + str(date.year);
    struct Rent { int branch; Money amount; int costCentre; int project; };
    // The Mashhad branch is rented for the project that opened it.
    const Rent rents[] = {{1, 450000000, 4, 0}, {2, 380000000, 7, 0}, {3, 220000000, 7, 0}, {4, 180000000, 7, 6}};
    Document document;
    document.start(DemoDocumentType::General, day, m_catalogue.headOfficeBranch, T::RentOfMonth + month);
    Money total = 0;
    for (const Rent &rent : rents) {
        const Money amount = scaled(rent.amount, percent, 100000);
        total += amount;
        Line &line = document.add(id(Role::RentExpense), amount, 0,
                                  T::RentOfMonth + month + T::Dash + m_catalogue.branchName(rent.branch));
        line.tag(DemoClass::CostCentre, rent.costCentre);
        if (rent.project) {
            line.contract = rent.project;
            line.tag(DemoClass::Project, rent.project);
        }
    }
    document.add(id(Role::Bank1), 0, total, T::RentOfMonth + month);
    post(document);
}

void BookGenerator::bills(int day)
{
    const DemoDay &date = m_days[size_t(day)];
    const int percent = pricePercent(day);
    const std::string month = std::string(T::MonthNames[date.month - 1]) + " " + str(date.year);
    const Money utilities = scaled(m_random.between64(35000000, 60000000), percent, 10000);
    const Money phone = scaled(m_random.between64(8000000, 15000000), percent, 10000);
    Document document;
    document.start(DemoDocumentType::General, day, m_catalogue.headOfficeBranch, T::BillsPaid + month);
    document.add(id(Role::UtilitiesExpense), utilities, 0, T::BillsOfMonth + month).tag(DemoClass::CostCentre, 4);
    document.add(id(Role::PhoneExpense), phone, 0, T::PhoneOfMonth + month).tag(DemoClass::CostCentre, 3);
    document.add(id(Role::Bank2), 0, utilities + phone, T::BillsPaid + month);
    post(document);
}

// Monthly salary of a staff member at a price level.
Money salaryOf(size_t staffIndex, int percent)
{
    return scaled(180000000 + Money(staffIndex % 5) * 42000000 + Money(staffIndex / 5) * 15000000, percent, 100000);
}

void BookGenerator::payroll(int day)
{
    const DemoDay &date = m_days[size_t(day)];
    const int percent = pricePercent(day);
    const std::string month = std::string(T::MonthNames[date.month - 1]) + T::MonthOf + str(date.year);
    Document document;
    document.start(DemoDocumentType::Payroll, day, m_catalogue.headOfficeBranch, T::PayrollOf + month);
    Money total = 0;
    for (size_t i = 0; i < m_staffOnPayroll; ++i) {
        const DemoPerson &member = m_catalogue.staff[i];
        const Money salary = salaryOf(i, percent);
        total += salary;
        document.add(id(Role::SalaryExpense), salary, 0, T::SalaryOf + member.name + T::Dash + month)
            .tag(DemoClass::Staff, member.id)
            .tag(DemoClass::CostCentre, m_catalogue.costCentres[i % m_catalogue.costCentres.size()]);
        Line &payable = document.add(id(Role::SalaryPayable), 0, salary, T::SalaryOf + member.name + T::Dash + month);
        payable.person = member.id;
        payable.tag(DemoClass::Staff, member.id);
    }
    const Money insurance = total * 23 / 100;
    document.add(id(Role::InsuranceExpense), insurance, 0, T::InsuranceShare + month);
    document.add(id(Role::Bank2), 0, insurance, T::InsuranceShare + month);
    post(document);

    Event pay;
    pay.kind = EventKind::SalaryPayment;
    pay.percent = percent;
    pay.month = date.month;
    pay.year = date.year;
    schedule(day + 1, pay);
}

void BookGenerator::salaryPayment(int day, const Event &event)
{
    const std::string month = std::string(T::MonthNames[event.month - 1]) + T::MonthOf + str(event.year);
    Document document;
    document.start(DemoDocumentType::Payroll, day, m_catalogue.headOfficeBranch, T::SalaryTransfer + month);
    Money total = 0;
    for (size_t i = 0; i < m_staffOnPayroll; ++i) {
        const DemoPerson &member = m_catalogue.staff[i];
        const Money salary = salaryOf(i, event.percent);
        total += salary;
        Line &paid = document.add(id(Role::SalaryPayable), salary, 0, T::SalaryPayment + member.name + T::Dash + month);
        paid.person = member.id;
        paid.tag(DemoClass::Staff, member.id);
    }
    document.add(id(Role::Bank1), 0, total, T::SalaryTransfer + month);
    post(document);
}

void BookGenerator::bankCharges(int day)
{
    const DemoDay &date = m_days[size_t(day)];
    const std::string text = T::BankChargesOf + std::string(T::MonthNames[date.month - 1]) + " " + str(date.year);
    const Money amount = scaled(m_random.between64(1200000, 3000000), pricePercent(day));
    Document document;
    document.start(DemoDocumentType::General, day, m_catalogue.headOfficeBranch, text);
    document.add(id(Role::BankCharges), amount, 0, text);
    document.add(id(date.month % 2 ? Role::Bank1 : Role::Bank2), 0, amount, text);
    post(document);
}

void BookGenerator::pettyExpense(int day)
{
    struct Kind { Role account; const char *text; };
    static const Kind kinds[] = {
        {Role::SuppliesExpense, T::OfficeSupplies},
        {Role::TransportExpense, T::CourierFees},
        {Role::AdvertisingExpense, T::Advertising},
    };
    const Kind &kind = kinds[m_random.below(3)];
    const Money amount = scaled(m_random.between64(5000000, 40000000), pricePercent(day), 10000);
    Document document;
    document.start(DemoDocumentType::General, day, m_catalogue.headOfficeBranch, T::PettyPurchase + std::string(kind.text));
    Line &expense = document.add(id(kind.account), amount, 0, kind.text);
    expense.tag(DemoClass::CostCentre, m_catalogue.costCentres[size_t(m_random.below(int(m_catalogue.costCentres.size())))]);
    if (kind.account != Role::AdvertisingExpense && m_random.chance(25)) {
        const int project = m_catalogue.projects[size_t(m_random.below(int(m_catalogue.projects.size())))];
        expense.contract = project;
        expense.tag(DemoClass::Project, project);
    }
    document.add(id(Role::PettyCash), 0, amount, document.description);
    post(document);
    m_pettySpent += amount;
}

void BookGenerator::pettyCashTopUp(int day)
{
    if (m_pettySpent <= 0)
        return;
    const DemoDay &date = m_days[size_t(day)];
    const std::string text = T::PettyCashTopUp + std::string(T::MonthNames[date.month - 1]) + " " + str(date.year);
    Document document;
    document.start(DemoDocumentType::General, day, m_catalogue.headOfficeBranch, text);
    document.add(id(Role::PettyCash), m_pettySpent, 0, text);
    document.add(id(Role::Bank2), 0, m_pettySpent, text);
    post(document);
    m_pettySpent = 0;
}

void BookGenerator::drafts(int count)
{
    // Drafts of the last days, still waiting for approval: a sale and a
    // receipt of wholesale customers, taking turns.
    const int first = std::max(m_periods.back().firstDay, m_today - 9);
    std::vector<int> draftDays;
    for (int i = 0; i < count; ++i)
        draftDays.push_back(m_random.between(first, m_today));
    std::sort(draftDays.begin(), draftDays.end());

    Document document;
    for (int i = 0; i < count; ++i) {
        const int day = draftDays[size_t(i)];
        const DemoPerson &customer = pickPerson(m_catalogue.wholesaleCustomers);
        const Money amount = scaled(m_random.between64(50000000, 400000000), 100, 10000);
        const int branch = pickSaleBranch();
        if (i % 2 == 0) {
            const std::string text = T::DraftSale + str(9000 + i) + T::To + customer.name + T::AwaitingApproval;
            document.start(DemoDocumentType::Sale, day, branch, text);
            tagCustomer(document.add(id(Role::WholesaleCustomers), amount, 0, text), Role::WholesaleCustomers,
                        customer.id, branch);
            document.add(id(Role::Sales), 0, amount, text);
        } else {
            const std::string text = T::DraftReceipt + customer.name + T::AwaitingApproval;
            document.start(DemoDocumentType::Receipt, day, branch, text);
            document.add(id(Role::Bank1), amount, 0, text);
            tagCustomer(document.add(id(Role::WholesaleCustomers), 0, amount, text), Role::WholesaleCustomers,
                        customer.id, branch);
        }
        document.draft = true;
        post(document);
    }
}

} // namespace

DemoBooksSummary WriteDemoBooks(SqliteFile &file, const DemoCatalogue &catalogue, const std::vector<DemoDay> &days,
                                const std::vector<DemoPeriod> &periods, int today, int salesRows, DemoRandom &random)
{
    BookGenerator generator(file, catalogue, days, periods, today, random);
    return generator.run(salesRows);
}
