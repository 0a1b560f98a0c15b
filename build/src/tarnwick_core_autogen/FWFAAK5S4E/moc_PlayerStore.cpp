/****************************************************************************
** Meta object code from reading C++ file 'PlayerStore.h'
**
** Created by: The Qt Meta Object Compiler version 68 (Qt 6.4.2)
**
** WARNING! All changes made in this file will be lost!
*****************************************************************************/

#include <memory>
#include "../../../../src/store/PlayerStore.h"
#include <QtCore/qmetatype.h>
#include <QtCore/QList>
#if !defined(Q_MOC_OUTPUT_REVISION)
#error "The header file 'PlayerStore.h' doesn't include <QObject>."
#elif Q_MOC_OUTPUT_REVISION != 68
#error "This file was generated using the moc from 6.4.2. It"
#error "cannot be used with the include files from this version of Qt."
#error "(The moc has changed too much.)"
#endif

#ifndef Q_CONSTINIT
#define Q_CONSTINIT
#endif

QT_BEGIN_MOC_NAMESPACE
QT_WARNING_PUSH
QT_WARNING_DISABLE_DEPRECATED
namespace {
struct qt_meta_stringdata_PlayerStore_t {
    uint offsetsAndSizes[44];
    char stringdata0[12];
    char stringdata1[15];
    char stringdata2[1];
    char stringdata3[19];
    char stringdata4[22];
    char stringdata5[19];
    char stringdata6[24];
    char stringdata7[25];
    char stringdata8[25];
    char stringdata9[12];
    char stringdata10[19];
    char stringdata11[16];
    char stringdata12[13];
    char stringdata13[8];
    char stringdata14[14];
    char stringdata15[12];
    char stringdata16[12];
    char stringdata17[15];
    char stringdata18[12];
    char stringdata19[17];
    char stringdata20[18];
    char stringdata21[18];
};
#define QT_MOC_LITERAL(ofs, len) \
    uint(sizeof(qt_meta_stringdata_PlayerStore_t::offsetsAndSizes) + ofs), len 
Q_CONSTINIT static const qt_meta_stringdata_PlayerStore_t qt_meta_stringdata_PlayerStore = {
    {
        QT_MOC_LITERAL(0, 11),  // "PlayerStore"
        QT_MOC_LITERAL(12, 14),  // "playersChanged"
        QT_MOC_LITERAL(27, 0),  // ""
        QT_MOC_LITERAL(28, 18),  // "searchQueryChanged"
        QT_MOC_LITERAL(47, 21),  // "tableCardOrderChanged"
        QT_MOC_LITERAL(69, 18),  // "tableTitlesChanged"
        QT_MOC_LITERAL(88, 23),  // "phraseTagCatalogChanged"
        QT_MOC_LITERAL(112, 24),  // "playerTypeCatalogChanged"
        QT_MOC_LITERAL(137, 24),  // "enabledFlagColorsChanged"
        QT_MOC_LITERAL(162, 11),  // "savePlayers"
        QT_MOC_LITERAL(174, 18),  // "saveTableCardOrder"
        QT_MOC_LITERAL(193, 15),  // "saveTableTitles"
        QT_MOC_LITERAL(209, 12),  // "saveSettings"
        QT_MOC_LITERAL(222, 7),  // "players"
        QT_MOC_LITERAL(230, 13),  // "QList<Player>"
        QT_MOC_LITERAL(244, 11),  // "playerCount"
        QT_MOC_LITERAL(256, 11),  // "searchQuery"
        QT_MOC_LITERAL(268, 14),  // "tableCardOrder"
        QT_MOC_LITERAL(283, 11),  // "tableTitles"
        QT_MOC_LITERAL(295, 16),  // "phraseTagCatalog"
        QT_MOC_LITERAL(312, 17),  // "playerTypeCatalog"
        QT_MOC_LITERAL(330, 17)   // "enabledFlagColors"
    },
    "PlayerStore",
    "playersChanged",
    "",
    "searchQueryChanged",
    "tableCardOrderChanged",
    "tableTitlesChanged",
    "phraseTagCatalogChanged",
    "playerTypeCatalogChanged",
    "enabledFlagColorsChanged",
    "savePlayers",
    "saveTableCardOrder",
    "saveTableTitles",
    "saveSettings",
    "players",
    "QList<Player>",
    "playerCount",
    "searchQuery",
    "tableCardOrder",
    "tableTitles",
    "phraseTagCatalog",
    "playerTypeCatalog",
    "enabledFlagColors"
};
#undef QT_MOC_LITERAL
} // unnamed namespace

Q_CONSTINIT static const uint qt_meta_data_PlayerStore[] = {

 // content:
      10,       // revision
       0,       // classname
       0,    0, // classinfo
      11,   14, // methods
       8,   91, // properties
       0,    0, // enums/sets
       0,    0, // constructors
       0,       // flags
       7,       // signalCount

 // signals: name, argc, parameters, tag, flags, initial metatype offsets
       1,    0,   80,    2, 0x06,    9 /* Public */,
       3,    0,   81,    2, 0x06,   10 /* Public */,
       4,    0,   82,    2, 0x06,   11 /* Public */,
       5,    0,   83,    2, 0x06,   12 /* Public */,
       6,    0,   84,    2, 0x06,   13 /* Public */,
       7,    0,   85,    2, 0x06,   14 /* Public */,
       8,    0,   86,    2, 0x06,   15 /* Public */,

 // methods: name, argc, parameters, tag, flags, initial metatype offsets
       9,    0,   87,    2, 0x02,   16 /* Public */,
      10,    0,   88,    2, 0x02,   17 /* Public */,
      11,    0,   89,    2, 0x02,   18 /* Public */,
      12,    0,   90,    2, 0x02,   19 /* Public */,

 // signals: parameters
    QMetaType::Void,
    QMetaType::Void,
    QMetaType::Void,
    QMetaType::Void,
    QMetaType::Void,
    QMetaType::Void,
    QMetaType::Void,

 // methods: parameters
    QMetaType::Void,
    QMetaType::Void,
    QMetaType::Void,
    QMetaType::Void,

 // properties: name, type, flags
      13, 0x80000000 | 14, 0x00015009, uint(0), 0,
      15, QMetaType::Int, 0x00015001, uint(0), 0,
      16, QMetaType::QString, 0x00015103, uint(1), 0,
      17, QMetaType::QStringList, 0x00015001, uint(2), 0,
      18, QMetaType::QVariantMap, 0x00015001, uint(3), 0,
      19, QMetaType::QStringList, 0x00015001, uint(4), 0,
      20, QMetaType::QStringList, 0x00015001, uint(5), 0,
      21, QMetaType::QStringList, 0x00015001, uint(6), 0,

       0        // eod
};

Q_CONSTINIT const QMetaObject PlayerStore::staticMetaObject = { {
    QMetaObject::SuperData::link<QObject::staticMetaObject>(),
    qt_meta_stringdata_PlayerStore.offsetsAndSizes,
    qt_meta_data_PlayerStore,
    qt_static_metacall,
    nullptr,
    qt_incomplete_metaTypeArray<qt_meta_stringdata_PlayerStore_t,
        // property 'players'
        QtPrivate::TypeAndForceComplete<QList<Player>, std::true_type>,
        // property 'playerCount'
        QtPrivate::TypeAndForceComplete<int, std::true_type>,
        // property 'searchQuery'
        QtPrivate::TypeAndForceComplete<QString, std::true_type>,
        // property 'tableCardOrder'
        QtPrivate::TypeAndForceComplete<QStringList, std::true_type>,
        // property 'tableTitles'
        QtPrivate::TypeAndForceComplete<QVariantMap, std::true_type>,
        // property 'phraseTagCatalog'
        QtPrivate::TypeAndForceComplete<QStringList, std::true_type>,
        // property 'playerTypeCatalog'
        QtPrivate::TypeAndForceComplete<QStringList, std::true_type>,
        // property 'enabledFlagColors'
        QtPrivate::TypeAndForceComplete<QStringList, std::true_type>,
        // Q_OBJECT / Q_GADGET
        QtPrivate::TypeAndForceComplete<PlayerStore, std::true_type>,
        // method 'playersChanged'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        // method 'searchQueryChanged'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        // method 'tableCardOrderChanged'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        // method 'tableTitlesChanged'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        // method 'phraseTagCatalogChanged'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        // method 'playerTypeCatalogChanged'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        // method 'enabledFlagColorsChanged'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        // method 'savePlayers'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        // method 'saveTableCardOrder'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        // method 'saveTableTitles'
        QtPrivate::TypeAndForceComplete<void, std::false_type>,
        // method 'saveSettings'
        QtPrivate::TypeAndForceComplete<void, std::false_type>
    >,
    nullptr
} };

void PlayerStore::qt_static_metacall(QObject *_o, QMetaObject::Call _c, int _id, void **_a)
{
    if (_c == QMetaObject::InvokeMetaMethod) {
        auto *_t = static_cast<PlayerStore *>(_o);
        (void)_t;
        switch (_id) {
        case 0: _t->playersChanged(); break;
        case 1: _t->searchQueryChanged(); break;
        case 2: _t->tableCardOrderChanged(); break;
        case 3: _t->tableTitlesChanged(); break;
        case 4: _t->phraseTagCatalogChanged(); break;
        case 5: _t->playerTypeCatalogChanged(); break;
        case 6: _t->enabledFlagColorsChanged(); break;
        case 7: _t->savePlayers(); break;
        case 8: _t->saveTableCardOrder(); break;
        case 9: _t->saveTableTitles(); break;
        case 10: _t->saveSettings(); break;
        default: ;
        }
    } else if (_c == QMetaObject::IndexOfMethod) {
        int *result = reinterpret_cast<int *>(_a[0]);
        {
            using _t = void (PlayerStore::*)();
            if (_t _q_method = &PlayerStore::playersChanged; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 0;
                return;
            }
        }
        {
            using _t = void (PlayerStore::*)();
            if (_t _q_method = &PlayerStore::searchQueryChanged; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 1;
                return;
            }
        }
        {
            using _t = void (PlayerStore::*)();
            if (_t _q_method = &PlayerStore::tableCardOrderChanged; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 2;
                return;
            }
        }
        {
            using _t = void (PlayerStore::*)();
            if (_t _q_method = &PlayerStore::tableTitlesChanged; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 3;
                return;
            }
        }
        {
            using _t = void (PlayerStore::*)();
            if (_t _q_method = &PlayerStore::phraseTagCatalogChanged; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 4;
                return;
            }
        }
        {
            using _t = void (PlayerStore::*)();
            if (_t _q_method = &PlayerStore::playerTypeCatalogChanged; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 5;
                return;
            }
        }
        {
            using _t = void (PlayerStore::*)();
            if (_t _q_method = &PlayerStore::enabledFlagColorsChanged; *reinterpret_cast<_t *>(_a[1]) == _q_method) {
                *result = 6;
                return;
            }
        }
    } else if (_c == QMetaObject::RegisterPropertyMetaType) {
        switch (_id) {
        default: *reinterpret_cast<int*>(_a[0]) = -1; break;
        case 0:
            *reinterpret_cast<int*>(_a[0]) = qRegisterMetaType< QList<Player> >(); break;
        }
    }
else if (_c == QMetaObject::ReadProperty) {
        auto *_t = static_cast<PlayerStore *>(_o);
        (void)_t;
        void *_v = _a[0];
        switch (_id) {
        case 0: *reinterpret_cast< QList<Player>*>(_v) = _t->players(); break;
        case 1: *reinterpret_cast< int*>(_v) = _t->playerCount(); break;
        case 2: *reinterpret_cast< QString*>(_v) = _t->searchQuery(); break;
        case 3: *reinterpret_cast< QStringList*>(_v) = _t->tableCardOrder(); break;
        case 4: *reinterpret_cast< QVariantMap*>(_v) = _t->tableTitlesVariant(); break;
        case 5: *reinterpret_cast< QStringList*>(_v) = _t->phraseTagCatalog(); break;
        case 6: *reinterpret_cast< QStringList*>(_v) = _t->playerTypeEmojis(); break;
        case 7: *reinterpret_cast< QStringList*>(_v) = _t->enabledFlagColorNames(); break;
        default: break;
        }
    } else if (_c == QMetaObject::WriteProperty) {
        auto *_t = static_cast<PlayerStore *>(_o);
        (void)_t;
        void *_v = _a[0];
        switch (_id) {
        case 2: _t->setSearchQuery(*reinterpret_cast< QString*>(_v)); break;
        default: break;
        }
    } else if (_c == QMetaObject::ResetProperty) {
    } else if (_c == QMetaObject::BindableProperty) {
    }
}

const QMetaObject *PlayerStore::metaObject() const
{
    return QObject::d_ptr->metaObject ? QObject::d_ptr->dynamicMetaObject() : &staticMetaObject;
}

void *PlayerStore::qt_metacast(const char *_clname)
{
    if (!_clname) return nullptr;
    if (!strcmp(_clname, qt_meta_stringdata_PlayerStore.stringdata0))
        return static_cast<void*>(this);
    return QObject::qt_metacast(_clname);
}

int PlayerStore::qt_metacall(QMetaObject::Call _c, int _id, void **_a)
{
    _id = QObject::qt_metacall(_c, _id, _a);
    if (_id < 0)
        return _id;
    if (_c == QMetaObject::InvokeMetaMethod) {
        if (_id < 11)
            qt_static_metacall(this, _c, _id, _a);
        _id -= 11;
    } else if (_c == QMetaObject::RegisterMethodArgumentMetaType) {
        if (_id < 11)
            *reinterpret_cast<QMetaType *>(_a[0]) = QMetaType();
        _id -= 11;
    }else if (_c == QMetaObject::ReadProperty || _c == QMetaObject::WriteProperty
            || _c == QMetaObject::ResetProperty || _c == QMetaObject::BindableProperty
            || _c == QMetaObject::RegisterPropertyMetaType) {
        qt_static_metacall(this, _c, _id, _a);
        _id -= 8;
    }
    return _id;
}

// SIGNAL 0
void PlayerStore::playersChanged()
{
    QMetaObject::activate(this, &staticMetaObject, 0, nullptr);
}

// SIGNAL 1
void PlayerStore::searchQueryChanged()
{
    QMetaObject::activate(this, &staticMetaObject, 1, nullptr);
}

// SIGNAL 2
void PlayerStore::tableCardOrderChanged()
{
    QMetaObject::activate(this, &staticMetaObject, 2, nullptr);
}

// SIGNAL 3
void PlayerStore::tableTitlesChanged()
{
    QMetaObject::activate(this, &staticMetaObject, 3, nullptr);
}

// SIGNAL 4
void PlayerStore::phraseTagCatalogChanged()
{
    QMetaObject::activate(this, &staticMetaObject, 4, nullptr);
}

// SIGNAL 5
void PlayerStore::playerTypeCatalogChanged()
{
    QMetaObject::activate(this, &staticMetaObject, 5, nullptr);
}

// SIGNAL 6
void PlayerStore::enabledFlagColorsChanged()
{
    QMetaObject::activate(this, &staticMetaObject, 6, nullptr);
}
QT_WARNING_POP
QT_END_MOC_NAMESPACE
