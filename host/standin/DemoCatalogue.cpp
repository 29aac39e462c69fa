#include "DemoCatalogue.h"
#include "SqliteFile.h"

#include <algorithm>
#include <map>

namespace {

struct AccountRow
{
    const char *code;
    const char *title;
    int nature;
    std::int64_t maxDebit;
    std::int64_t maxCredit;
    AccountRole role;
    int personClass;
};

using R = AccountRole;

// The chart of accounts: group (1 digit), general (2), subsidiary (4) and
// detail (6) levels; the parent of an account is the account whose code is
// the longest prefix of its own.
const AccountRow ChartOfAccounts[] = {
    {"1", "دارايي ها", 0, 0, 0, R::None, 0},
    {"11", "دارايي هاي جاري", 0, 0, 0, R::None, 0},
    {"1101", "موجودي نقد و بانك", 0, 0, 0, R::None, 0},
    {"110101", "صندوق مركزي", 0, 0, 0, R::Cash, 0},
    {"110102", "تنخواه گردان", 0, 0, 0, R::PettyCash, 0},
    {"110103", "بانك ملت - حساب جاري 4521873690", 0, 0, 0, R::Bank1, 0},
    {"110104", "بانك ملي - حساب جاري 0107765432001", 0, 0, 0, R::Bank2, 0},
    {"1102", "حساب ها و اسناد دريافتني تجاري", 0, 0, 0, R::None, 0},
    {"110201", "حساب هاي دريافتني - مشتريان عمده", 0, 3000000000, 0, R::WholesaleCustomers, DemoClass::Person},
    {"110202", "حساب هاي دريافتني - مشتريان خرده", 0, 150000000, 0, R::RetailCustomers, DemoClass::Person},
    {"110203", "اسناد دريافتني - چك هاي در جريان وصول", 2, 0, 0, R::ChequesInCollection, DemoClass::Person},
    {"1103", "موجودي مواد و كالا", 0, 0, 0, R::None, 0},
    {"110301", "موجودي كالاي تجاري", 0, 0, 0, R::Inventory, 0},
    {"1104", "پيش پرداخت ها", 0, 0, 0, R::None, 0},
    {"110401", "ماليات بر ارزش افزوده خريد", 0, 0, 0, R::PurchaseVat, 0},
    {"12", "دارايي هاي غير جاري", 0, 0, 0, R::None, 0},
    {"1201", "دارايي هاي ثابت مشهود", 0, 0, 0, R::None, 0},
    {"120101", "اثاثه و منصوبات", 0, 0, 0, R::Furniture, 0},
    {"120102", "وسايط نقليه", 0, 0, 0, R::Vehicles, 0},
    {"2", "بدهي ها", 1, 0, 0, R::None, 0},
    {"21", "بدهي هاي جاري", 1, 0, 0, R::None, 0},
    {"2101", "حساب ها و اسناد پرداختني تجاري", 1, 0, 0, R::None, 0},
    {"210101", "حساب هاي پرداختني - تامين كنندگان", 1, 0, 25000000000, R::Suppliers, DemoClass::Person},
    {"210102", "اسناد پرداختني - چك هاي صادره", 1, 0, 0, R::ChequesPayable, DemoClass::Person},
    {"2102", "ماليات پرداختني", 1, 0, 0, R::None, 0},
    {"210201", "ماليات بر ارزش افزوده فروش", 1, 0, 0, R::SalesVat, 0},
    {"2103", "حقوق و دستمزد پرداختني", 1, 0, 0, R::None, 0},
    {"210301", "حقوق پرداختني كاركنان", 1, 0, 0, R::SalaryPayable, DemoClass::Staff},
    {"3", "حقوق مالكانه", 1, 0, 0, R::None, 0},
    {"31", "سرمايه و اندوخته ها", 1, 0, 0, R::None, 0},
    {"3101", "سرمايه", 1, 0, 0, R::None, 0},
    {"310101", "سرمايه ثبت شده", 1, 0, 0, R::Capital, 0},
    {"3102", "سود و زيان انباشته", 1, 0, 0, R::None, 0},
    {"310201", "سود و زيان انباشته سنوات", 1, 0, 0, R::RetainedEarnings, 0},
    {"4", "درآمدها", 1, 0, 0, R::None, 0},
    {"41", "درآمدهاي عملياتي", 1, 0, 0, R::None, 0},
    {"4101", "فروش كالا", 1, 0, 0, R::None, 0},
    {"410101", "فروش كالاي تجاري", 1, 0, 0, R::Sales, 0},
    {"410102", "درآمد حمل و ارسال كالا", 1, 0, 0, R::DeliveryRevenue, 0},
    {"4102", "برگشت از فروش و تخفيفات", 0, 0, 0, R::None, 0},
    {"410201", "برگشت از فروش", 0, 0, 0, R::SalesReturns, 0},
    {"410202", "تخفيفات نقدي فروش", 0, 0, 0, R::SalesDiscounts, 0},
    {"5", "هزينه ها", 0, 0, 0, R::None, 0},
    {"51", "هزينه هاي عمومي، اداري و فروش", 0, 0, 0, R::None, 0},
    {"5101", "هزينه هاي كاركنان", 0, 0, 0, R::None, 0},
    {"510101", "هزينه حقوق و دستمزد", 0, 0, 0, R::SalaryExpense, 0},
    {"510102", "هزينه بيمه سهم كارفرما", 0, 0, 0, R::InsuranceExpense, 0},
    {"5102", "هزينه هاي اداري", 0, 0, 0, R::None, 0},
    {"510201", "هزينه اجاره", 0, 0, 0, R::RentExpense, 0},
    {"510202", "هزينه آب، برق و گاز", 0, 0, 0, R::UtilitiesExpense, 0},
    {"510203", "هزينه تلفن و اينترنت", 0, 0, 0, R::PhoneExpense, 0},
    {"510204", "هزينه ملزومات اداري", 0, 0, 0, R::SuppliesExpense, 0},
    {"5103", "هزينه هاي توزيع و فروش", 0, 0, 0, R::None, 0},
    {"510301", "هزينه حمل و نقل", 0, 0, 0, R::TransportExpense, 0},
    {"510302", "هزينه تبليغات", 0, 0, 0, R::AdvertisingExpense, 0},
    {"52", "هزينه هاي مالي", 0, 0, 0, R::None, 0},
    {"5201", "هزينه هاي بانكي", 0, 0, 0, R::None, 0},
    {"520101", "كارمزد خدمات بانكي", 0, 0, 0, R::BankCharges, 0},
};

struct ClassRow
{
    int id;
    const char *name;
    const char *viewMajor;
    const char *viewMinor;
};

// Two pairs of classes share their views (cost and revenue centres, staff and
// persons), so choosing the other class of a pair keeps the chosen object.
const ClassRow Classes[] = {
    {DemoClass::CostCentre, "مراكز هزينه", "vwPositionMajor", "vwPositionMinor"},
    {DemoClass::Project, "پروژه ها و قراردادها", "vwAccountContractProjectMajor", "vwAccountContractProjectMinor"},
    {DemoClass::Branch, "شعب", "vwAccountBranchMajor", "vwAccountBranchMinor"},
    {DemoClass::GoodGroup, "گروه هاي كالا", "vwGoodGroupMajor", "vwGoodGroupMinor"},
    {DemoClass::RevenueCentre, "مراكز درآمد", "vwPositionMajor", "vwPositionMinor"},
    {DemoClass::Staff, "كاركنان", "vwPersonMajor", "vwPersonMinor"},
    {DemoClass::Person, "اشخاص", "vwPersonMajor", "vwPersonMinor"},
};

struct RelatedClassRow
{
    AccountRole account;
    int classes[6]; // in Sequence order, 0 ends the list
};

// The wholesale customers' account carries six classes; the ledger window
// fills its four filters with the first four.
const RelatedClassRow RelatedClasses[] = {
    {R::WholesaleCustomers, {DemoClass::Person, DemoClass::Project, DemoClass::Branch,
                             DemoClass::RevenueCentre, DemoClass::GoodGroup, DemoClass::CostCentre}},
    {R::RetailCustomers, {DemoClass::Person}},
    {R::ChequesInCollection, {DemoClass::Person}},
    {R::Suppliers, {DemoClass::Person}},
    {R::ChequesPayable, {DemoClass::Person}},
    {R::SalaryPayable, {DemoClass::Staff}},
    {R::Sales, {DemoClass::GoodGroup, DemoClass::RevenueCentre}},
    {R::SalesReturns, {DemoClass::GoodGroup}},
    {R::SalaryExpense, {DemoClass::Staff, DemoClass::CostCentre}},
    {R::RentExpense, {DemoClass::CostCentre, DemoClass::Project}},
    {R::UtilitiesExpense, {DemoClass::CostCentre}},
    {R::PhoneExpense, {DemoClass::CostCentre}},
    {R::SuppliesExpense, {DemoClass::CostCentre, DemoClass::Project}},
    {R::TransportExpense, {DemoClass::CostCentre, DemoClass::Project}},
    {R::AdvertisingExpense, {DemoClass::CostCentre}},
};

struct TreeRow
{
    int id;
    const char *code;
    const char *name;
    int parentId;
};

const TreeRow Branches[] = {
    {1, "01", "دفتر مركزي", 0},
    {2, "0101", "شعبه تهران", 1},
    {3, "0102", "شعبه اصفهان", 1},
    {4, "0103", "شعبه مشهد", 1},
    {5, "010101", "فروشگاه ونك", 2},
    {6, "010102", "فروشگاه تجريش", 2},
};

const TreeRow Positions[] = {
    {1, "01", "مديريت عامل", 0},
    {2, "0101", "معاونت مالي و اداري", 1},
    {3, "010101", "واحد حسابداري", 2},
    {4, "010102", "واحد اداري و پشتيباني", 2},
    {5, "0102", "معاونت فروش و بازاريابي", 1},
    {6, "010201", "واحد فروش عمده", 5},
    {7, "010202", "واحد فروش خرده", 5},
    {8, "0103", "واحد انبار و توزيع", 1},
};

const TreeRow GoodGroups[] = {
    {1, "01", "مواد غذايي", 0},
    {2, "0101", "برنج و حبوبات", 1},
    {3, "0102", "روغن و چربي", 1},
    {4, "0103", "لبنيات", 1},
    {5, "0104", "ماكاروني و رشته", 1},
    {6, "02", "نوشيدني", 0},
    {7, "0201", "چاي و قهوه", 6},
    {8, "0202", "آب معدني و نوشابه", 6},
    {9, "03", "شوينده و بهداشتي", 0},
    {10, "0301", "شوينده", 9},
    {11, "0302", "بهداشتي", 9},
};

const TreeRow GoodUnits[] = {
    {1, "", "عدد", 0}, {2, "", "كيسه", 0}, {3, "", "بسته", 0},
    {4, "", "كارتن", 0}, {5, "", "قوطي", 0}, {6, "", "بطري", 0},
};

struct GoodRow
{
    const char *code; // null: a good without a code
    const char *name;
    int unit;
    int group;
    std::int64_t price;
    bool taxable;
};

// Basic foodstuffs are exempt from value added tax.
const GoodRow Goods[] = {
    {"1010001", "برنج ايراني طارم هاشمي 10 كيلويي", 2, 2, 28500000, false},
    {"1010002", "برنج پاكستاني سوپر باسماتي 10 كيلويي", 2, 2, 16800000, false},
    {"1010003", "عدس درشت 900 گرمي", 3, 2, 1150000, false},
    {"1010004", "لوبيا چيتي 900 گرمي", 3, 2, 1450000, false},
    {"1020001", "روغن مايع آفتابگردان 1.5 ليتري", 6, 3, 1890000, false},
    {"1020002", "روغن جامد 4.5 كيلويي", 5, 3, 5200000, false},
    {"1030001", "شير پرچرب يك ليتري", 1, 4, 420000, false},
    {"1030002", "ماست پرچرب 2.5 كيلويي", 1, 4, 1350000, false},
    {"1030003", "پنير سفيد 400 گرمي", 1, 4, 980000, false},
    {"1040001", "ماكاروني فرمي 500 گرمي", 3, 5, 380000, true},
    {"1040002", "رشته آش 500 گرمي", 3, 5, 320000, true},
    {"2010001", "چاي سياه ممتاز لاهيجان 500 گرمي", 3, 7, 2450000, true},
    {"2010002", "قهوه فوري 200 گرمي", 5, 7, 3100000, true},
    {"2020001", "آب معدني 1.5 ليتري - كارتن 6 عددي", 4, 8, 720000, true},
    {"2020002", "نوشابه گازدار 1.5 ليتري", 6, 8, 390000, true},
    {"2020003", "دوغ گازدار 1.5 ليتري", 6, 8, 350000, true},
    {"3010001", "پودر لباسشويي 3 كيلويي", 3, 10, 2850000, true},
    {"3010002", "مايع ظرفشويي 3.75 ليتري", 6, 10, 1250000, true},
    {"3010003", "سفيد كننده 4 ليتري", 6, 10, 780000, true},
    {"3020001", "شامپو 400 ميلي ليتري", 1, 11, 1050000, true},
    {"3020002", "دستمال كاغذي 300 برگ", 3, 11, 450000, true},
    {"3020003", "صابون 6 عددي", 3, 11, 610000, true},
    {"3020004", "خمير دندان 100 گرمي", 1, 11, 560000, true},
    {nullptr, "كيسه زباله رولي", 3, 11, 290000, true},
    {nullptr, "اسكاچ ظرفشويي 3 عددي", 3, 10, 240000, true},
};

const char *const WholesaleNames[] = {
    "شركت بازرگاني آريا تجارت پارس",
    "فروشگاه هاي زنجيره اي رفاه گستر",
    "شركت پخش سراسري البرز",
    "هايپرماركت ستاره شرق",
    "شركت تعاوني مصرف كاركنان فولاد",
    "فروشگاه بزرگ افق نو",
    "شركت پخش نيك آوران",
    "سوپرماركت خانواده - شعبه سعادت آباد",
    "شركت بازرگاني مهر گستر اصفهان",
    "فروشگاه تعاوني شهروندان",
    "شركت پخش طلايه داران خراسان",
    "مجموعه تجاري كيش مارت",
};

const char *const SupplierNames[] = {
    "شركت صنايع غذايي سپيد دانه",
    "شركت كشت و صنعت دشت زرين",
    "شركت توليدي شوينده پاك آوران",
    "شركت لبنيات سبز چمن",
    "شركت روغن نباتي آفتابگردان",
    "شركت ماكاروني زرين خوشه",
    "شركت چاي ممتاز لاهيجان",
    "شركت آب معدني چشمه سار",
};

const char *const FirstNames[] = {
    "علي", "محمد", "حسين", "رضا", "مهدي", "امير", "سعيد", "حميد", "مجيد", "بهروز",
    "مريم", "زهرا", "فاطمه", "سارا", "نرگس", "ليلا", "مينا", "پريسا", "الهام", "شيرين",
};

const char *const LastNames[] = {
    "محمدي", "احمدي", "حسيني", "رضايي", "كريمي", "موسوي", "جعفري", "صادقي", "رحيمي", "حيدري",
    "نوري", "كاظمي", "اكبري", "قاسمي", "عباسي", "تهراني", "شريفي", "يزداني", "نجفي", "فرهادي",
};

struct ContractRow
{
    int id;
    const char *code;
    const char *name;
    int parentId;
    int wholesaleIndex; // customer (index into WholesaleNames) or -1
};

const ContractRow Contracts[] = {
    {1, "01", "قراردادهاي فروش عمده", 0, -1},
    {2, "0101", "قرارداد تامين كالاي فروشگاه هاي رفاه گستر", 1, 1},
    {3, "0102", "قرارداد پخش مويرگي استان خراسان", 1, 10},
    {4, "0103", "قرارداد فروش اقساطي تعاوني فولاد", 1, 4},
    {5, "02", "پروژه ها", 0, -1},
    {6, "0201", "پروژه افتتاح شعبه مشهد", 5, -1},
    {7, "0202", "پروژه نوسازي انبار مركزي", 5, -1},
};

struct NamedRow
{
    int id;
    const char *name;
    const char *fileName;
};

const NamedRow FormTypes[] = {
    {DemoForm::Receipt, "دريافت وجه", "comReceipt.dll"},
    {DemoForm::Payment, "پرداخت وجه", "comPayment.dll"},
    {DemoForm::AccountingDocument, "سند حسابداري", "comAccountDoc.dll"},
    {DemoForm::AccountTurnover, "گردش حساب", "comAccountDetail.dll"},
    {DemoForm::PurchaseInvoice, "فاكتور خريد", "comPurchaseInvoice.dll"},
    {DemoForm::SaleInvoice, "فاكتور فروش", "comSaleInvoice.dll"},
    {DemoForm::SaleReturn, "برگشت از فروش", "comSaleReturn.dll"},
};

const NamedRow DocumentTypes[] = {
    {DemoDocumentType::Opening, "سند افتتاحيه", nullptr},
    {DemoDocumentType::General, "سند عمومي", nullptr},
    {DemoDocumentType::Sale, "سند فروش", nullptr},
    {DemoDocumentType::Receipt, "سند دريافت", nullptr},
    {DemoDocumentType::Payment, "سند پرداخت", nullptr},
    {DemoDocumentType::Purchase, "سند خريد", nullptr},
    {DemoDocumentType::SaleReturn, "سند برگشت از فروش", nullptr},
    {DemoDocumentType::Payroll, "سند حقوق و دستمزد", nullptr},
};

// Person IDs: the four groups first, then their members.
constexpr int WholesaleGroup = 1;
constexpr int RetailGroup = 2;
constexpr int SupplierGroup = 3;
constexpr int StaffGroup = 4;
constexpr int RetailCustomerCount = 40;
constexpr int StaffCount = 8;

const char *const PersonGroupNames[] = {
    "مشتريان عمده", "مشتريان خرده", "تامين كنندگان", "كاركنان",
};

// Distinct "first last" names drawn with the seed's numbers.
std::vector<std::string> drawNames(DemoRandom &random, int count, std::vector<int> &used)
{
    std::vector<std::string> names;
    const int combinations = int(std::size(FirstNames) * std::size(LastNames));
    while (int(names.size()) < count) {
        const int pair = random.below(combinations);
        if (std::find(used.begin(), used.end(), pair) != used.end())
            continue;
        used.push_back(pair);
        names.push_back(std::string(FirstNames[pair / int(std::size(LastNames))]) + " "
                        + LastNames[pair % int(std::size(LastNames))]);
    }
    return names;
}

void writeTree(SqliteFile &file, const char *table, const TreeRow *rows, size_t count)
{
    SqliteStatement insert(file, std::string("INSERT INTO ") + table
                                     + " (ID, Code, Name, ParentID) VALUES (?, ?, ?, ?)");
    for (size_t i = 0; i < count; ++i)
        insert.put(rows[i].id).put(rows[i].code).put(rows[i].name)
            .putOptional(rows[i].parentId, rows[i].parentId != 0).run();
}

// Writes the closure pairs (ancestor-or-self, descendant-or-self) of a tree
// given by its parent links.
void writeClosure(SqliteFile &file, const char *table, const std::map<int, int> &parentOf)
{
    SqliteStatement insert(file, std::string("INSERT INTO ") + table + " (ID, ChildID) VALUES (?, ?)");
    for (const auto &[id, parent] : parentOf) {
        insert.put(id).put(id).run();
        for (int ancestor = parent; ancestor != 0; ancestor = parentOf.at(ancestor))
            insert.put(ancestor).put(id).run();
    }
}

} // namespace

int DemoCatalogue::accountId(AccountRole role) const
{
    for (const DemoAccount &account : accounts)
        if (account.role == role)
            return account.id;
    return 0;
}

DemoCatalogue BuildDemoCatalogue(DemoRandom &random)
{
    DemoCatalogue catalogue;

    std::map<std::string, int> idOfCode;
    for (const AccountRow &row : ChartOfAccounts) {
        DemoAccount account;
        account.id = int(catalogue.accounts.size()) + 1;
        account.code = row.code;
        account.title = row.title;
        account.nature = row.nature;
        account.maxDebit = row.maxDebit;
        account.maxCredit = row.maxCredit;
        account.role = row.role;
        account.personClass = row.personClass;
        account.balanceSheet = row.code[0] == '1' || row.code[0] == '2' || row.code[0] == '3';
        for (size_t length = account.code.size() - 1; length > 0; --length) {
            const auto parent = idOfCode.find(account.code.substr(0, length));
            if (parent != idOfCode.end()) {
                account.parentId = parent->second;
                account.level = catalogue.accounts[size_t(parent->second - 1)].level + 1;
                catalogue.accounts[size_t(parent->second - 1)].leaf = false;
                break;
            }
        }
        idOfCode[account.code] = account.id;
        catalogue.accounts.push_back(account);
    }

    int personId = StaffGroup;
    for (size_t i = 0; i < std::size(WholesaleNames); ++i) {
        DemoPerson person{++personId, WholesaleNames[i], 0};
        for (const ContractRow &contract : Contracts)
            if (contract.wholesaleIndex == int(i))
                person.contractId = contract.id;
        catalogue.wholesaleCustomers.push_back(person);
    }
    std::vector<int> usedNames;
    for (const std::string &name : drawNames(random, RetailCustomerCount, usedNames))
        catalogue.retailCustomers.push_back({++personId, name, 0});
    for (const char *name : SupplierNames)
        catalogue.suppliers.push_back({++personId, name, 0});
    for (const std::string &name : drawNames(random, StaffCount, usedNames))
        catalogue.staff.push_back({++personId, name, 0});

    int goodId = 0;
    for (const GoodRow &row : Goods)
        catalogue.goods.push_back({++goodId, row.group, row.price, row.taxable});

    for (const TreeRow &branch : Branches)
        catalogue.branchNames[branch.id] = branch.name;
    for (const ContractRow &contract : Contracts)
        catalogue.contractNames[contract.id] = contract.name;
    catalogue.saleBranches = {2, 3, 4, 5, 6};
    catalogue.headOfficeBranch = 1;
    catalogue.wholesaleUnit = 6;
    catalogue.retailUnit = 7;
    catalogue.costCentres = {3, 4, 6, 7, 8};
    catalogue.projects = {6, 7};
    return catalogue;
}

void WriteDemoCatalogue(SqliteFile &file, const DemoCatalogue &catalogue)
{
    {
        SqliteStatement insert(file, "INSERT INTO tblAccount (ID, Code, Title, ParentID, AccountNatureID, "
                                     "MaxDebit, MaxCredit, Level, IsActive) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 1)");
        std::map<int, int> parentOf;
        for (const DemoAccount &a : catalogue.accounts) {
            insert.put(a.id).put(a.code).put(a.title).putOptional(a.parentId, a.parentId != 0)
                .put(a.nature).put(a.maxDebit).put(a.maxCredit).put(a.level).run();
            parentOf[a.id] = a.parentId;
        }
        writeClosure(file, "tblAccountParent", parentOf);
    }
    {
        SqliteStatement insert(file, "INSERT INTO tblAccountRelatedClasses (AccountID, ClassID, Sequence) "
                                     "VALUES (?, ?, ?)");
        for (const RelatedClassRow &row : RelatedClasses)
            for (int i = 0; i < 6 && row.classes[i] != 0; ++i)
                insert.put(catalogue.accountId(row.account)).put(row.classes[i]).put(i + 1).run();
    }
    {
        SqliteStatement insert(file, "INSERT INTO tblAccountClass (ID, Code, Name, ViewMajor, ViewMinor) "
                                     "VALUES (?, ?, ?, ?, ?)");
        for (const ClassRow &c : Classes)
            insert.put(c.id).put(std::to_string(c.id)).put(c.name).put(c.viewMajor).put(c.viewMinor).run();
    }

    writeTree(file, "tblAccountBranch", Branches, std::size(Branches));
    std::map<int, int> branchParent;
    for (const TreeRow &row : Branches)
        branchParent[row.id] = row.parentId;
    writeClosure(file, "tblAccountBranchParent", branchParent);
    writeTree(file, "tblPosition", Positions, std::size(Positions));
    writeTree(file, "tblGoodGroup", GoodGroups, std::size(GoodGroups));

    {
        SqliteStatement insert(file, "INSERT INTO tblPerson (ID, Code, Name, ParentID, NationalCode, Phone) "
                                     "VALUES (?, ?, ?, ?, ?, ?)");
        for (int group = WholesaleGroup; group <= StaffGroup; ++group)
            insert.put(group).put("0" + std::to_string(group)).put(PersonGroupNames[group - 1])
                .putNull().putNull().putNull().run();
        const std::pair<int, const std::vector<DemoPerson> *> members[] = {
            {WholesaleGroup, &catalogue.wholesaleCustomers}, {RetailGroup, &catalogue.retailCustomers},
            {SupplierGroup, &catalogue.suppliers}, {StaffGroup, &catalogue.staff},
        };
        for (const auto &[group, persons] : members) {
            int serial = 0;
            for (const DemoPerson &person : *persons) {
                ++serial;
                const std::string code = "0" + std::to_string(group) + (serial < 10 ? "00" : "0")
                                         + std::to_string(serial);
                // National codes and phone numbers follow the Iranian formats
                // but are made up from the person's ID.
                const std::string national = std::to_string(1000000000LL + person.id * 7919LL);
                const std::string phone = "021" + std::to_string(22000000 + person.id * 1311);
                insert.put(person.id).put(code).put(person.name).put(group).put(national).put(phone).run();
            }
        }
    }
    {
        SqliteStatement insert(file, "INSERT INTO tblAccountContractProject (ID, Code, Name, ParentID, "
                                     "PersonID) VALUES (?, ?, ?, ?, ?)");
        for (const ContractRow &c : Contracts) {
            const int person = c.wholesaleIndex >= 0
                ? catalogue.wholesaleCustomers[size_t(c.wholesaleIndex)].id : 0;
            insert.put(c.id).put(c.code).put(c.name).putOptional(c.parentId, c.parentId != 0)
                .putOptional(person, person != 0).run();
        }
    }
    {
        SqliteStatement insert(file, "INSERT INTO tblGoodUnit (ID, Name) VALUES (?, ?)");
        for (const TreeRow &unit : GoodUnits)
            insert.put(unit.id).put(unit.name).run();
    }
    {
        SqliteStatement insert(file, "INSERT INTO tblGood (ID, Code, Barcode, Name, GoodUnitID, GoodGroupID, "
                                     "RetailPrice, IsTaxable) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        int id = 0;
        for (const GoodRow &g : Goods) {
            ++id;
            insert.put(id);
            if (g.code)
                insert.put(g.code).put("626" + std::to_string(1000000000LL + id * 104729LL));
            else
                insert.putNull().putNull();
            insert.put(g.name).put(g.unit).put(g.group).put(g.price).put(g.taxable ? 1 : 0).run();
        }
    }
    {
        SqliteStatement insert(file, "INSERT INTO tblVelkoFormType (ID, Code, Name, FileName) VALUES (?, ?, ?, ?)");
        for (const NamedRow &form : FormTypes)
            insert.put(form.id).put(std::to_string(form.id)).put(form.name).put(form.fileName).run();
    }
    {
        SqliteStatement insert(file, "INSERT INTO tblAccountDocumentType (ID, Name) VALUES (?, ?)");
        for (const NamedRow &type : DocumentTypes)
            insert.put(type.id).put(type.name).run();
    }
}
