#include "server/src/procedures/StatementFormula.h"

#include <QHash>

namespace pravik::server::formula {

namespace {

struct FunctionInfo {
    Node::Kind kind;
    Ledger ledger = Ledger::WN;
};

const QHash<QString, FunctionInfo>& functions()
{
    static const QHash<QString, FunctionInfo> table = {
        {QStringLiteral("WN"), {Node::LedgerSum, Ledger::WN}},     {QStringLiteral("MA"), {Node::LedgerSum, Ledger::MA}},
        {QStringLiteral("BO"), {Node::LedgerSum, Ledger::BO}},     {QStringLiteral("BOWN"), {Node::LedgerSum, Ledger::BOWN}},
        {QStringLiteral("BOMA"), {Node::LedgerSum, Ledger::BOMA}}, {QStringLiteral("SWN"), {Node::LedgerSum, Ledger::SWN}},
        {QStringLiteral("SMA"), {Node::LedgerSum, Ledger::SMA}},   {QStringLiteral("S"), {Node::LedgerSum, Ledger::S}},
        {QStringLiteral("BT"), {Node::BudgetSum}},                 {QStringLiteral("PLAN"), {Node::PlanSum}},
        {QStringLiteral("W"), {Node::RowRef}},                     {QStringLiteral("K"), {Node::ColumnRef}},
        {QStringLiteral("ABS"), {Node::Abs}},                      {QStringLiteral("MIN"), {Node::Min}},
        {QStringLiteral("MAX"), {Node::Max}},                      {QStringLiteral("ROUND"), {Node::Round}},
    };
    return table;
}

std::optional<BudgetKind> budgetKind(const QString& word)
{
    static const QHash<QString, BudgetKind> kinds = {
        {QStringLiteral("D"), BudgetKind::D},   {QStringLiteral("WP"), BudgetKind::WP}, {QStringLiteral("WY"), BudgetKind::WY},
        {QStringLiteral("K"), BudgetKind::K},   {QStringLiteral("Z"), BudgetKind::Z},   {QStringLiteral("X"), BudgetKind::X},
    };
    const auto it = kinds.constFind(word.trimmed().toUpper());
    if (it == kinds.constEnd())
        return std::nullopt;
    return *it;
}

class Parser {
public:
    explicit Parser(QStringView text) : m_text(text) {}

    std::optional<Formula> run(ParseError* error)
    {
        skipBlanks();
        if (m_pos < m_text.size()) {
            const int root = expression();
            skipBlanks();
            if (ok() && m_pos < m_text.size())
                fail(m_pos, m_text.at(m_pos) == u')' ? QStringLiteral("nawias zamykający bez otwierającego")
                                                     : QStringLiteral("nieoczekiwany znak „%1”").arg(m_text.at(m_pos)));
            m_formula.root = root;
        }
        if (!ok()) {
            if (error)
                *error = m_error;
            return std::nullopt;
        }
        return std::move(m_formula);
    }

private:
    bool ok() const { return m_error.message.isEmpty(); }

    int fail(qsizetype at, const QString& message)
    {
        if (ok()) {
            m_error.position = static_cast<int>(at) + 1;
            m_error.message = message;
        }
        return -1;
    }

    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    bool take(QChar c)
    {
        skipBlanks();
        if (m_pos < m_text.size() && m_text.at(m_pos) == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    int add(Node node)
    {
        m_formula.nodes.push_back(std::move(node));
        return static_cast<int>(m_formula.nodes.size()) - 1;
    }

    int binary(Node::Kind kind, qsizetype at, int left, int right)
    {
        Node n;
        n.kind = kind;
        n.position = static_cast<int>(at) + 1;
        n.args = {left, right};
        return add(std::move(n));
    }

    // Nesting is counted where the grammar recurses, so that no text can exhaust the stack.
    struct Deeper {
        Parser& p;
        explicit Deeper(Parser& parser) : p(parser) { ++p.m_depth; }
        ~Deeper() { --p.m_depth; }
    };
    bool tooDeep()
    {
        if (m_depth <= kMaxDepth)
            return false;
        fail(m_pos, QStringLiteral("formuła zagnieżdżona zbyt głęboko (najwyżej %1 poziomów)").arg(kMaxDepth));
        return true;
    }

    int expression()
    {
        int left = term();
        while (ok()) {
            skipBlanks();
            const qsizetype at = m_pos;
            if (take(u'+'))
                left = binary(Node::Add, at, left, term());
            else if (take(u'-'))
                left = binary(Node::Subtract, at, left, term());
            else
                break;
        }
        return ok() ? left : -1;
    }

    int term()
    {
        int left = unary();
        while (ok()) {
            skipBlanks();
            const qsizetype at = m_pos;
            if (take(u'*'))
                left = binary(Node::Multiply, at, left, unary());
            else if (take(u'/'))
                left = binary(Node::Divide, at, left, unary());
            else
                break;
        }
        return ok() ? left : -1;
    }

    int unary()
    {
        Deeper d(*this);
        if (tooDeep())
            return -1;
        skipBlanks();
        const qsizetype at = m_pos;
        if (take(u'-')) {
            const int inner = unary();
            if (!ok())
                return -1;
            Node n;
            n.kind = Node::Negate;
            n.position = static_cast<int>(at) + 1;
            n.args = {inner};
            return add(std::move(n));
        }
        if (take(u'+'))
            return unary();
        return primary();
    }

    int primary()
    {
        skipBlanks();
        if (m_pos >= m_text.size())
            return fail(m_pos, QStringLiteral("formuła urywa się: oczekiwano liczby, funkcji lub nawiasu"));
        const qsizetype at = m_pos;
        const QChar c = m_text.at(m_pos);
        if (c == u'(') {
            ++m_pos;
            const int inner = expression();
            if (!ok())
                return -1;
            if (!take(u')'))
                return fail(m_pos < m_text.size() ? m_pos : at, QStringLiteral("brak nawiasu zamykającego"));
            return inner;
        }
        if (c.isDigit() || c == u'.' || c == u',')
            return number();
        if (c.isLetter())
            return call();
        if (c == u'"')
            return fail(at, QStringLiteral("maska może być tylko argumentem funkcji"));
        if (c == u'#')
            return fail(at, QStringLiteral("znak # może być tylko argumentem funkcji"));
        if (c == u')')
            return fail(at, QStringLiteral("oczekiwano liczby, funkcji lub nawiasu przed „)”"));
        return fail(at, QStringLiteral("nieoczekiwany znak „%1”").arg(c));
    }

    int number()
    {
        const qsizetype at = m_pos;
        Fixed whole = 0, fraction = 0;
        int wholeDigits = 0, fractionDigits = 0;
        while (m_pos < m_text.size() && m_text.at(m_pos).isDigit()) {
            if (++wholeDigits > 15)
                return fail(at, QStringLiteral("liczba ma za dużo cyfr"));
            whole = whole * 10 + m_text.at(m_pos).digitValue();
            ++m_pos;
        }
        if (m_pos < m_text.size() && (m_text.at(m_pos) == u'.' || m_text.at(m_pos) == u',')) {
            ++m_pos;
            Fixed scale = kScale;
            while (m_pos < m_text.size() && m_text.at(m_pos).isDigit()) {
                if (++fractionDigits > 6)
                    return fail(m_pos, QStringLiteral("liczba ma więcej niż 6 miejsc po przecinku"));
                scale /= 10;
                fraction += scale * m_text.at(m_pos).digitValue();
                ++m_pos;
            }
        }
        if (wholeDigits == 0 && fractionDigits == 0)
            return fail(at, QStringLiteral("oczekiwano liczby"));
        Node n;
        n.kind = Node::Number;
        n.position = static_cast<int>(at) + 1;
        n.number = whole * kScale + fraction;
        return add(std::move(n));
    }

    QString word()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && (m_text.at(m_pos).isLetterOrNumber() || m_text.at(m_pos) == u'_'))
            ++m_pos;
        return m_text.mid(start, m_pos - start).toString();
    }

    // A mask argument: text in double quotes (a doubled quote stands for one) or "#".
    bool maskArgument(Node& n)
    {
        skipBlanks();
        if (m_pos < m_text.size() && m_text.at(m_pos) == u'#') {
            ++m_pos;
            n.element = true;
            return true;
        }
        if (m_pos >= m_text.size() || m_text.at(m_pos) != u'"') {
            fail(m_pos, QStringLiteral("oczekiwano maski w cudzysłowie lub znaku #"));
            return false;
        }
        const qsizetype open = m_pos++;
        QString mask;
        while (true) {
            if (m_pos >= m_text.size()) {
                fail(open, QStringLiteral("niezamknięty cudzysłów"));
                return false;
            }
            const QChar c = m_text.at(m_pos++);
            if (c == u'"') {
                if (m_pos < m_text.size() && m_text.at(m_pos) == u'"') {
                    mask += c;
                    ++m_pos;
                    continue;
                }
                break;
            }
            mask += c;
        }
        if (mask.size() > 60) {
            fail(open, QStringLiteral("maska jest dłuższa niż 60 znaków"));
            return false;
        }
        n.mask = mask;
        return true;
    }

    // A whole number argument of W, K and ROUND (a sign allowed for ROUND).
    std::optional<int> wholeArgument(bool signAllowed)
    {
        skipBlanks();
        const qsizetype at = m_pos;
        bool negative = false;
        if (signAllowed && m_pos < m_text.size() && (m_text.at(m_pos) == u'-' || m_text.at(m_pos) == u'+')) {
            negative = m_text.at(m_pos) == u'-';
            ++m_pos;
            skipBlanks();
        }
        qint64 value = 0;
        int digits = 0;
        while (m_pos < m_text.size() && m_text.at(m_pos).isDigit()) {
            value = value * 10 + m_text.at(m_pos).digitValue();
            ++m_pos;
            if (++digits > 6) {
                fail(at, QStringLiteral("liczba za duża"));
                return std::nullopt;
            }
        }
        if (digits == 0) {
            fail(at, QStringLiteral("oczekiwano liczby całkowitej"));
            return std::nullopt;
        }
        return static_cast<int>(negative ? -value : value);
    }

    bool expect(QChar c, const QString& what)
    {
        if (take(c))
            return true;
        skipBlanks();
        fail(m_pos, m_pos < m_text.size() ? QStringLiteral("oczekiwano %1").arg(what)
                                          : QStringLiteral("formuła urywa się: oczekiwano %1").arg(what));
        return false;
    }

    int call()
    {
        const qsizetype at = m_pos;
        const QString name = word();
        const QString upper = name.toUpper();
        const auto it = functions().constFind(upper);
        if (it == functions().constEnd())
            return fail(at, QStringLiteral("nieznana funkcja %1").arg(name));
        if (!take(u'('))
            return fail(m_pos, QStringLiteral("po nazwie funkcji %1 oczekiwano „(”").arg(upper));
        Node n;
        n.kind = it->kind;
        n.ledger = it->ledger;
        n.position = static_cast<int>(at) + 1;
        switch (n.kind) {
        case Node::LedgerSum:
        case Node::PlanSum:
            if (!maskArgument(n))
                return -1;
            break;
        case Node::BudgetSum:
            if (!maskArgument(n))
                return -1;
            if (take(u';')) {
                skipBlanks();
                const qsizetype kindAt = m_pos;
                QString kind;
                if (m_pos < m_text.size() && m_text.at(m_pos) == u'"') {
                    Node scratch;
                    if (!maskArgument(scratch))
                        return -1;
                    kind = scratch.mask;
                } else {
                    kind = word();
                }
                const auto k = budgetKind(kind);
                if (!k)
                    return fail(kindAt, QStringLiteral("nieznany rodzaj zapisu budżetowego „%1” (D, WP, WY, K, Z, X)").arg(kind));
                n.budget = *k;
            }
            break;
        case Node::RowRef:
        case Node::ColumnRef: {
            const auto v = wholeArgument(false);
            if (!v)
                return -1;
            if (*v < 1 && n.kind == Node::ColumnRef)
                return fail(at, QStringLiteral("kolumny numeruje się od 1"));
            n.ref = *v;
            break;
        }
        case Node::Abs:
        case Node::Min:
        case Node::Max:
        case Node::Round: {
            const int first = expression();
            if (!ok())
                return -1;
            n.args.push_back(first);
            if (n.kind == Node::Round) {
                if (!expect(u';', QStringLiteral("„;” i liczby miejsc po przecinku")))
                    return -1;
                const auto places = wholeArgument(true);
                if (!places)
                    return -1;
                if (*places < -9 || *places > 6)
                    return fail(at, QStringLiteral("ROUND: liczba miejsc od -9 do 6"));
                n.ref = *places;
            } else if (n.kind != Node::Abs) {
                if (!expect(u';', QStringLiteral("„;” i drugiego argumentu")))
                    return -1;
                do {
                    const int next = expression();
                    if (!ok())
                        return -1;
                    n.args.push_back(next);
                } while (take(u';'));
            }
            break;
        }
        default:
            break;
        }
        if (!expect(u')', QStringLiteral("„)” zamykającego funkcję %1").arg(upper)))
            return -1;
        return add(std::move(n));
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_depth = 0;
    Formula m_formula;
    ParseError m_error;
};

QStringView clipped(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

bool sameLetter(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

} // namespace

bool Formula::usesElement() const
{
    for (const Node& n : nodes)
        if (n.element)
            return true;
    return false;
}

std::vector<int> Formula::rowRefs() const
{
    std::vector<int> out;
    for (const Node& n : nodes)
        if (n.kind == Node::RowRef)
            out.push_back(n.ref);
    return out;
}

std::vector<int> Formula::columnRefs() const
{
    std::vector<int> out;
    for (const Node& n : nodes)
        if (n.kind == Node::ColumnRef)
            out.push_back(n.ref);
    return out;
}

std::optional<Formula> parse(QStringView text, ParseError* error)
{
    return Parser(text).run(error);
}

bool maskFits(QStringView account, QStringView mask)
{
    // The same matching as the module's account mask: greedy with one backtrack point for the
    // last "*", so never exponential.
    const QStringView text = clipped(account);
    const QStringView pattern = clipped(mask);
    if (pattern.isEmpty())
        return true;
    qsizetype t = 0, p = 0, starP = -1, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern.at(p) == u'*') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && (pattern.at(p) == u'?' || sameLetter(pattern.at(p), text.at(t)))) {
            ++p;
            ++t;
        } else if (starP >= 0) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == u'*')
        ++p;
    return p == pattern.size();
}

bool elementCovers(QStringView element, QStringView text)
{
    const QStringView e = clipped(element);
    const QStringView t = clipped(text);
    if (e.isEmpty() || !t.startsWith(e, Qt::CaseInsensitive))
        return false;
    return t.size() == e.size() || t.at(e.size()) == u'-' || t.at(e.size()) == u'.';
}

qint64 toCents(Fixed value)
{
    constexpr Fixed unit = kScale / 100;
    const bool negative = value < 0;
    const Fixed magnitude = negative ? -value : value;
    const Fixed cents = (magnitude + unit / 2) / unit;
    return static_cast<qint64>(negative ? -cents : cents);
}

} // namespace pravik::server::formula
