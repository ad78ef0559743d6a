// The page side of the web runtime: the program's windows as elements of the
// page, each in a shadow root of its own on a host whose id is the window's
// name, so that the controls keep their names as ids; the menus as WAI-ARIA
// menu bars; the one message box; the live region that says the results; and
// the one ending of the program, however it stops. web_page.h says what each
// function does for the program.

var LibraryOrvanel = {
  $Orvanel__deps: ['$Asyncify', 'malloc'],
  $Orvanel__postset: 'Orvanel.prepare();',
  $Orvanel: {
    windows: [],
    busy: false, // a handler runs or waits in the message box
    ended: false,
    topZ: 0,
    cascade: 0, // windows placed where a new window goes so far
    active: null,
    sheet: null,
    listening: null, // ends every listener of this run
    resting: null, // where the mouse rests under a menu a key opened
    events: {}, // the program's number of each event, by name
    pageFamilies: [], // the faces of menus and title bars
    decoder: null, // reads the program's UTF-8
    announcing: 0, // the timer that fills the live region
    // Milliseconds between emptying the live region and saying the next
    // result, so that screen readers hear a result equal to the last one.
    announceDelay: 100,

    // The windows' stylesheet is built in, one sheet that every window's
    // shadow root adopts. Every face starts loading now; the program starts
    // at once, and is ready once the faces its shown windows draw are loaded.
    // The page reaches this run's ending through the module; an abort goes
    // through it, and so does whatever stops main other than its exit, which
    // the runtime hands to quit_ and would otherwise drop.
    prepare: function() {
      Orvanel.listening = new AbortController();
      Orvanel.decoder = new TextDecoder();
      Module['end'] = (failure) => Orvanel.end(failure ? String(failure) : null);
      Module['onAbort'] = (what) => Orvanel.end('Aborted(' + what + ')');
      var quit = quit_;
      quit_ = (status, toThrow) => {
        if (!(toThrow instanceof ExitStatus)) Orvanel.fail(toThrow);
        quit(status, toThrow);
      };
      Orvanel.sheet = new CSSStyleSheet();
      Orvanel.sheet.replaceSync(orvanelWindowStyle);
      document.fonts.forEach((face) => face.load().catch(() => null));
    },

    // Every listener of the run is added here: each ends with the run, or
    // earlier with the signal given, and a failure in one ends the run.
    listen: function(target, type, handler, options) {
      var settings = Object.assign({signal: Orvanel.listening.signal}, options);
      target.addEventListener(type, (event) => {
        try {
          handler(event);
        } catch (failure) {
          Orvanel.fail(failure);
        }
      }, settings);
    },

    // Listeners that end before the run does, with abort(), or with the run.
    scope: function() {
      var scope = new AbortController();
      Orvanel.listening.signal.addEventListener('abort', () => scope.abort(),
                                                {signal: scope.signal});
      return scope;
    },

    // A text of the program's memory, of that many bytes of UTF-8.
    text: function(pointer, length) {
      return Orvanel.decoder.decode(HEAPU8.subarray(pointer, pointer + length));
    },

    // The faces a window draws, by family.
    faces: function(w) {
      var families = new Set(w.families);
      Orvanel.pageFamilies.forEach((family) => families.add(family));
      return Array.from(document.fonts).filter((face) => Array.from(families).some(
        (family) => family.indexOf('"' + face.family.replace(/"/g, '') + '"') >= 0));
    },

    element: function(tag, className, parent) {
      var element = document.createElement(tag);
      if (className) element.className = className;
      if (parent) parent.append(element);
      return element;
    },

    // What happens on the page is handed to the program one event at a time,
    // by the event's name. While a handler waits in the message box, every
    // other event is dropped: Asyncify can hold one waiting call only. The
    // call settles once the handler has finished, after any message boxes.
    dispatch: function(w, name, index) {
      if (Orvanel.busy || Orvanel.ended) return;
      if (!Object.prototype.hasOwnProperty.call(Orvanel.events, name)) {
        throw new Error('the program knows no event "' + name + '"');
      }
      Orvanel.busy = true;
      var handled;
      try {
        handled = ccall('orvanel_web_event', null, ['number', 'number', 'number'],
                        [w.number, Orvanel.events[name], index], {async: true});
      } catch (failure) {
        Orvanel.fail(failure);
        return;
      }
      handled.then(() => { Orvanel.busy = false; }, Orvanel.fail);
    },

    fail: function(failure) {
      if (Orvanel.ended) return;
      console.warn('Orvanel stopped on an error:', failure);
      Orvanel.end(failure instanceof Error ? failure.message : String(failure));
    },

    // Windows on the page's desktop.
    desktop: function() {
      return document.getElementById('desktop');
    },

    visibleWindows: function() {
      return Orvanel.windows.filter((w) => w && !w.host.hidden && !w.waiting);
    },

    // On a desktop-sized page the windows stand where they were placed, at
    // their own size; on a small one, narrower than twice the start-up
    // window, as a phone's, they stand in a column (column.js).
    fit: function(w) {
      if (Orvanel.small()) {
        Orvanel.fitColumn();
        w.host.scrollIntoView({block: 'nearest'});
      } else {
        Orvanel.fitFloating(w);
      }
    },

    fitAll: function() {
      if (Orvanel.small()) Orvanel.fitColumn();
      else Orvanel.visibleWindows().forEach(Orvanel.fitFloating);
    },

    // The start-up window decides whether the page is small (column.js).
    small: function() {
      var start = Orvanel.windows.find((w) => w);
      if (!start || (start.host.hidden && !start.base)) return false;
      return orvanelColumn.small(start);
    },

    fitColumn: function() {
      orvanelColumn.fit(Orvanel.desktop(), Orvanel.windows.find((w) => w), Orvanel.visibleWindows());
    },

    // Windows on a desktop-sized page are scaled down as a whole where the
    // desktop is too small for them, and kept inside it.
    fitFloating: function(w) {
      var desktop = Orvanel.desktop();
      if (desktop.hasAttribute('data-column')) {
        desktop.removeAttribute('data-column');
        desktop.scrollTop = 0;
        document.documentElement.style.removeProperty('--scale');
        Orvanel.windows.forEach((other) => {
          if (!other) return;
          other.host.removeAttribute('data-column');
          other.host.style.removeProperty('--scale');
        });
      }
      var width = w.frame.offsetWidth;
      var height = w.frame.offsetHeight;
      var room = desktop.clientWidth;
      var roomHigh = desktop.clientHeight;
      w.scale = Math.min(1, room / width, roomHigh / height);
      var shownWidth = width * w.scale;
      var shownHeight = height * w.scale;
      if (!w.placed) {
        w.placed = true;
        if (w.centred) {
          w.x = (room - shownWidth) / 2;
          w.y = (roomHigh - shownHeight) / 2;
        } else {
          // Where a new window goes: down and to the right of the last one,
          // from the top left of the desktop again once past half of it.
          var step = Orvanel.cascadeStep();
          var slot = Orvanel.cascade++;
          w.x = w.y = step * (1 + slot);
          if (w.x + shownWidth > room || w.y + shownHeight > roomHigh) {
            Orvanel.cascade = 1;
            w.x = w.y = step;
          }
        }
      }
      w.x = Math.max(0, Math.min(w.x, room - shownWidth));
      w.y = Math.max(0, Math.min(w.y, roomHigh - shownHeight));
      w.host.style.transform = 'translate(' + w.x + 'px, ' + w.y + 'px) scale(' + w.scale + ')';
    },

    // The step of the cascade is the height of a title bar, as on Windows.
    cascadeStep: function() {
      var w = Orvanel.windows.find((w) => w && !w.host.hidden);
      return w ? w.titlebar.offsetHeight + w.frame.clientTop : 0;
    },

    // The controls that take the focus, in tab order.
    tabOrder: function(w) {
      return w.controls
        .filter((c) => c && c.focusable && !c.element.disabled)
        .sort((a, b) => a.tabIndex - b.tabIndex)
        .map((c) => c.element);
    },

    focusInside: function(w) {
      var focused = w.root.activeElement;
      return focused && document.activeElement === w.host ? focused : null;
    },

    // Brings a window to the front and gives it the focus, to the control that
    // had it last, unless the focus is in the window already.
    activate: function(w, target) {
      if (Orvanel.active !== w || w.host.style.zIndex != Orvanel.topZ) {
        w.host.style.zIndex = ++Orvanel.topZ;
      }
      if (Orvanel.active && Orvanel.active !== w) {
        Orvanel.closeMenus(Orvanel.active, false);
        Orvanel.active.host.removeAttribute('data-active');
      }
      Orvanel.active = w;
      w.host.setAttribute('data-active', '');
      if (target) {
        target.focus();
      } else if (!Orvanel.focusInside(w)) {
        var last = w.lastFocus && w.lastFocus.isConnected ? w.lastFocus : Orvanel.tabOrder(w)[0];
        (last || w.frame).focus();
      }
    },

    // Another window takes the focus when the active one goes: the one in front.
    activateFront: function() {
      var front = null;
      Orvanel.visibleWindows().forEach((w) => {
        if (!front || Number(w.host.style.zIndex) > Number(front.host.style.zIndex)) front = w;
      });
      if (front) Orvanel.activate(front);
    },

    // F6 and Shift+F6 (Alt+F6 as on Windows, too) go to the next or the
    // previous window of the program.
    cycleWindows: function(back) {
      var shown = Orvanel.visibleWindows();
      if (!shown.length) return;
      var at = shown.indexOf(Orvanel.active);
      var next = at < 0 ? 0 : (at + (back ? shown.length - 1 : 1)) % shown.length;
      Orvanel.activate(shown[next]);
    },

    // Tab and Shift+Tab go round the active window's controls.
    tab: function(w, back) {
      var order = Orvanel.tabOrder(w);
      if (!order.length) return;
      var at = order.indexOf(Orvanel.focusInside(w));
      if (at < 0) at = order.indexOf(w.lastFocus);
      var next = order[at < 0 ? 0 : (at + (back ? order.length - 1 : 1)) % order.length];
      next.focus();
      if (next.tagName === 'INPUT') next.select();
    },

    // Menus.
    entryOf: function(w, element) {
      var number = element && element.dataset ? element.dataset.entry : undefined;
      return number === undefined ? null : w.entries[Number(number)];
    },

    siblings: function(w, entry) {
      return entry.parent < 0 ? w.topEntries : w.entries[entry.parent].children;
    },

    // A menu opened by a key starts at the entry the key asked for, wherever
    // the mouse rests (focus: 'first' or 'last'); one opened by the mouse
    // has no entry taken yet (focus: null).
    openMenu: function(w, entry, focus) {
      if (!entry.menu) return;
      Orvanel.resting = focus ? {} : null;
      Orvanel.siblings(w, entry).forEach((other) => {
        if (other !== entry) Orvanel.closeMenu(w, other);
      });
      if (entry.menu.hidden) {
        entry.menu.hidden = false;
        entry.item.setAttribute('aria-expanded', 'true');
        Orvanel.placeMenu(w, entry);
      }
      var items = entry.children;
      if (focus === 'first' && items.length) items[0].item.focus();
      if (focus === 'last' && items.length) items[items.length - 1].item.focus();
    },

    // A menu opens below its menu bar entry, a submenu beside its entry; one
    // that would leave the page opens the other way.
    placeMenu: function(w, entry) {
      var menu = entry.menu;
      menu.classList.remove('flip-x', 'flip-y');
      var box = menu.getBoundingClientRect();
      if (box.right > document.documentElement.clientWidth) menu.classList.add('flip-x');
      if (box.bottom > document.documentElement.clientHeight) menu.classList.add('flip-y');
      box = menu.getBoundingClientRect();
      if (box.left < 0) menu.classList.remove('flip-x');
      if (box.top < 0) menu.classList.remove('flip-y');
    },

    // Where a menu opened by a key appears under the resting mouse, an engine
    // tells of the entry under it as if the mouse had entered it. The mouse
    // takes an entry only once it moves from the point where it rested: the
    // first point it is seen at after the key.
    pointerRests: function(event) {
      var rest = Orvanel.resting;
      if (!rest) return false;
      if (rest.x === undefined) {
        rest.x = event.clientX;
        rest.y = event.clientY;
        return true;
      }
      if (rest.x === event.clientX && rest.y === event.clientY) return true;
      Orvanel.resting = null;
      return false;
    },

    closeMenu: function(w, entry) {
      if (!entry.menu || entry.menu.hidden) return;
      entry.children.forEach((child) => Orvanel.closeMenu(w, child));
      entry.menu.hidden = true;
      entry.item.setAttribute('aria-expanded', 'false');
    },

    openTop: function(w) {
      return w.topEntries.find((entry) => !entry.menu.hidden);
    },

    // Closes every menu of the window; with restore, the focus goes back to
    // where it was before the menu bar took it.
    closeMenus: function(w, restore) {
      w.topEntries.forEach((entry) => Orvanel.closeMenu(w, entry));
      var inBar = Orvanel.entryOf(w, Orvanel.focusInside(w));
      if (restore && inBar) {
        var last = w.lastFocus && w.lastFocus.isConnected ? w.lastFocus : Orvanel.tabOrder(w)[0];
        (last || w.frame).focus();
      }
    },

    choose: function(w, entry) {
      if (entry.menu) {
        Orvanel.openMenu(w, entry, 'first');
      } else if (entry.enabled) {
        Orvanel.closeMenus(w, true);
        Orvanel.dispatch(w, 'menuChoice', entry.number);
      }
    },

    enterMenuBar: function(w, entry, open) {
      if (!w.topEntries.length) return;
      entry = entry || w.topEntries[0];
      if (open) {
        Orvanel.openMenu(w, entry, 'first');
      } else {
        Orvanel.closeMenus(w, false);
        entry.item.focus();
      }
    },

    // The keys of a focused menu entry, as the WAI-ARIA menu bar pattern has
    // them; a letter chooses the entry it is the access key of, or else moves
    // to the next entry that begins with it.
    menuKey: function(w, entry, event) {
      var key = event.key;
      var top = entry.parent < 0;
      var level = Orvanel.siblings(w, entry);
      var at = level.indexOf(entry);
      var move = (by) => level[(at + by + level.length) % level.length];
      var topAt = (by) => {
        var root = entry;
        while (root.parent >= 0) root = w.entries[root.parent];
        var i = w.topEntries.indexOf(root);
        return w.topEntries[(i + by + w.topEntries.length) % w.topEntries.length];
      };
      if (top) {
        var open = !!Orvanel.openTop(w);
        if (key === 'ArrowRight' || key === 'ArrowLeft') {
          var next = move(key === 'ArrowRight' ? 1 : -1);
          if (open) Orvanel.openMenu(w, next, 'first');
          else next.item.focus();
        } else if (key === 'ArrowDown' || key === 'Enter' || key === ' ') {
          Orvanel.openMenu(w, entry, 'first');
        } else if (key === 'ArrowUp') {
          Orvanel.openMenu(w, entry, 'last');
        } else if (key === 'Home' || key === 'End') {
          level[key === 'Home' ? 0 : level.length - 1].item.focus();
        } else if (key === 'Escape' || key === 'F10') {
          Orvanel.closeMenus(w, true);
        } else if (key.length === 1 && !event.altKey && !event.ctrlKey && !event.metaKey) {
          var byKey = level.find((e) => e.key === key.toLowerCase());
          if (byKey) Orvanel.openMenu(w, byKey, 'first');
        } else {
          return false;
        }
        return true;
      }
      var parent = w.entries[entry.parent];
      if (key === 'ArrowDown' || key === 'ArrowUp') {
        move(key === 'ArrowDown' ? 1 : -1).item.focus();
      } else if (key === 'Home' || key === 'End') {
        level[key === 'Home' ? 0 : level.length - 1].item.focus();
      } else if (key === 'ArrowRight') {
        if (entry.menu) Orvanel.openMenu(w, entry, 'first');
        else Orvanel.openMenu(w, topAt(1), 'first');
      } else if (key === 'ArrowLeft') {
        if (parent.parent >= 0) {
          Orvanel.closeMenu(w, parent);
          parent.item.focus();
        } else {
          Orvanel.openMenu(w, topAt(-1), 'first');
        }
      } else if (key === 'Enter' || key === ' ') {
        Orvanel.choose(w, entry);
      } else if (key === 'Escape') {
        Orvanel.closeMenu(w, parent);
        parent.item.focus();
      } else if (key === 'F10') {
        Orvanel.closeMenus(w, true);
      } else if (key.length === 1 && !event.altKey && !event.ctrlKey && !event.metaKey) {
        var letter = key.toLowerCase();
        var keyed = level.filter((e) => e.key === letter);
        if (keyed.length === 1) {
          keyed[0].item.focus();
          Orvanel.choose(w, keyed[0]);
        } else {
          var starting = keyed.length ? keyed
            : level.filter((e) => e.label.charAt(0).toLowerCase() === letter);
          var after = starting.find((e) => level.indexOf(e) > at);
          if (starting.length) (after || starting[0]).item.focus();
        }
      } else {
        return false;
      }
      return true;
    },

    // Keys that stand for a place on the keyboard are read by their place
    // (event.code), as a desktop program reads them: WebKitGTK names Shift+Tab
    // "Unidentified", and Option on a Mac turns letters into other characters.
    // A key that has no place, as on some on-screen keyboards, goes by its name.
    isTab: function(event) {
      return event.code === 'Tab' || event.key === 'Tab';
    },

    // The number of the function key pressed, F1 to F24; 0 for any other key.
    pressedFunctionKey: function(event) {
      var named = /^F([0-9]+)$/.exec(event.code) || /^F([0-9]+)$/.exec(event.key);
      return named ? Number(named[1]) : 0;
    },

    // The access letter of a key pressed with Alt (Option on a Mac): the
    // letter it types where it types one of a to z, so that every layout keeps
    // its own letters; else the letter of its place ("ç" of Option+C is C).
    accessLetter: function(event) {
      if (/^[a-z]$/i.test(event.key)) return event.key.toLowerCase();
      var place = /^Key([A-Z])$/.exec(event.code);
      return place ? place[1].toLowerCase() : '';
    },

    // The keys of a window: menus, the function-key shortcuts, F10, access
    // keys with Alt, and Tab.
    windowKey: function(w, event) {
      if (Orvanel.busy || Orvanel.ended) return;
      var tab = Orvanel.isTab(event);
      var number = Orvanel.pressedFunctionKey(event);
      var entry = Orvanel.entryOf(w, event.target);
      if (entry && !tab && !number && Orvanel.menuKey(w, entry, event)) {
        event.preventDefault();
        return;
      }
      if (number && !event.altKey && !event.ctrlKey && !event.metaKey && !event.shiftKey) {
        var shortcut = w.entries.find((e) => e && e.functionKey === number && e.enabled);
        if (shortcut) {
          event.preventDefault();
          Orvanel.closeMenus(w, true);
          Orvanel.dispatch(w, 'menuChoice', shortcut.number);
          return;
        }
        if (number === 10 && w.topEntries.length) {
          event.preventDefault();
          if (entry) Orvanel.closeMenus(w, true);
          else Orvanel.enterMenuBar(w, null, false);
          return;
        }
      }
      var letter = Orvanel.accessLetter(event);
      if (event.altKey && !event.ctrlKey && !event.metaKey && letter) {
        var menu = w.topEntries.find((e) => e.key === letter);
        var button = w.controls.find((c) => c && c.key === letter && !c.element.disabled);
        if (menu) {
          event.preventDefault();
          Orvanel.enterMenuBar(w, menu, true);
        } else if (button) {
          event.preventDefault();
          button.element.focus();
          button.element.click();
        }
        return;
      }
      if (tab && !event.altKey && !event.ctrlKey && !event.metaKey) {
        event.preventDefault();
        if (entry) Orvanel.closeMenus(w, true);
        Orvanel.tab(w, event.shiftKey);
      }
    },

    // Keys for the page as a whole: going from window to window, and into the
    // front window when the focus is on none.
    pageKey: function(event) {
      if (Orvanel.busy || Orvanel.ended || event.defaultPrevented) return;
      if (Orvanel.pressedFunctionKey(event) === 6 && !event.ctrlKey && !event.metaKey) {
        event.preventDefault();
        Orvanel.cycleWindows(event.shiftKey);
      } else if (Orvanel.isTab(event) && !event.shiftKey) {
        var inPage = document.activeElement && document.activeElement !== document.body;
        if (!inPage && Orvanel.visibleWindows().length) {
          event.preventDefault();
          Orvanel.activateFront();
        }
      }
    },

    // Pressing anywhere outside an open menu closes it; pressing in a window
    // activates it, and a press on something that takes no focus leaves the
    // focus where it was in that window.
    pagePointer: function(event) {
      var path = event.composedPath();
      Orvanel.windows.forEach((w) => {
        if (!w) return;
        var inMenus = w.menubar && path.indexOf(w.menubar) >= 0;
        if (!inMenus) Orvanel.closeMenus(w, false);
      });
    },

    windowPointer: function(w, event) {
      if (Orvanel.busy || Orvanel.ended) return;
      var target = event.composedPath()[0];
      var takesFocus = target.closest && target.closest('input, button.push, [role=menuitem]');
      if (takesFocus) {
        Orvanel.activate(w, null);
        if (target.closest('[role=menuitem]')) event.preventDefault();
      } else {
        event.preventDefault();
        Orvanel.activate(w, null);
      }
    },

    // The title bar drags its window; in the column of a small page the
    // windows keep their places.
    drag: function(w, event) {
      if (event.button !== 0 || Orvanel.busy || event.target.closest('.closebox')) return;
      if (w.host.hasAttribute('data-column')) return;
      var bar = w.titlebar;
      var startX = event.clientX - w.x;
      var startY = event.clientY - w.y;
      bar.setPointerCapture(event.pointerId);
      var dragging = Orvanel.scope();
      var options = {signal: dragging.signal};
      Orvanel.listen(bar, 'pointermove', (e) => {
        w.x = e.clientX - startX;
        w.y = e.clientY - startY;
        Orvanel.fit(w);
      }, options);
      Orvanel.listen(bar, 'pointerup', () => dragging.abort(), options);
      Orvanel.listen(bar, 'pointercancel', () => dragging.abort(), options);
    },

    // The page's one message box. OK, Enter, Space and Escape close it, and
    // the handler that showed it goes on from the box's close event, however
    // it closed: the browser may close it itself, on a second Escape.
    message: function(text, done) {
      var box = document.getElementById('msgbox');
      var ok = document.getElementById('msgbox-ok');
      document.getElementById('msgbox-text').textContent = text;
      var open = Orvanel.scope();
      var options = {signal: open.signal};
      var close = (event) => {
        event.preventDefault();
        if (box.open) box.close();
      };
      Orvanel.listen(ok, 'click', close, options);
      // The focus stays on OK: Tab has nowhere else to go in the box, and a
      // press on its text or around it takes the focus nowhere.
      Orvanel.listen(box, 'keydown', (event) => {
        if (Orvanel.isTab(event)) {
          event.preventDefault();
          ok.focus();
        } else if ((event.key === 'Enter' || event.key === ' ') && event.target !== ok) {
          close(event);
        }
      }, options);
      Orvanel.listen(box, 'mousedown', (event) => {
        if (event.target !== ok) event.preventDefault();
      }, options);
      Orvanel.listen(box, 'close', () => {
        open.abort();
        done();
      }, options);
      box.showModal();
      ok.focus();
    },

    // What the user clicked in a window before the program took it over is
    // done now, in the order clicked: a push button pressed, a menu entry
    // chosen or opened. A click while a message box waits is dropped, as it
    // would have been once the program was ready.
    replay: function() {
      var early = window.orvanelEarly;
      if (!early) return;
      early.clicks.splice(0).forEach((click) => {
        var w = Orvanel.windows.find((w) => w && w.host.id === click.window);
        if (!w || Orvanel.ended || Orvanel.busy) return;
        var target = click.entry !== null
          ? w.root.querySelector('[data-entry="' + click.entry + '"]')
          : w.root.getElementById(click.id);
        if (target) target.click();
      });
    },

    // The live region says each result that the program writes into a box
    // whose writes are announced, with the words of the box's label; an empty
    // text says nothing. The region is emptied first, so that a result equal
    // to the last one is said again.
    announce: function(text) {
      var region = document.getElementById('announcer');
      clearTimeout(Orvanel.announcing);
      if (!region) return;
      region.textContent = '';
      if (!text) return;
      Orvanel.announcing = setTimeout(() => {
        if (!Orvanel.ended) region.textContent = text;
      }, Orvanel.announceDelay);
    },

    // The one ending of a run, however the program stopped: File > Exit, the
    // main window's close box, a failed start, an abort, an error in a handler
    // or in these scripts, a rejected promise. The windows and every listener
    // of the run leave the page, and the page is told, with the failure if
    // there is one.
    end: function(failure) {
      if (Orvanel.ended) return;
      Orvanel.ended = true;
      Orvanel.listening.abort();
      Orvanel.windows.forEach((w) => { if (w) w.host.remove(); });
      Orvanel.windows = [];
      Orvanel.active = null;
      var box = document.getElementById('msgbox');
      if (box && box.open) box.close();
      Orvanel.announce(null);
      if (Module['ended']) Module['ended'](failure || null);
    },

    // The window of that name that the site's build wrote into the page,
    // when its signature is the program's: written from the same description
    // by the same code, it is the window the program would build. It is taken
    // over as it is, with what the user typed and the focus; the page's
    // script that looked after it until now stops.
    adopt: function(name, signature) {
      var host = document.getElementById(name);
      var early = window.orvanelEarly;
      if (!host || !host.hasAttribute('data-prerendered') || !host.shadowRoot) return null;
      if (host.getAttribute('data-signature') !== signature || Orvanel.windows.some(
          (w) => w && w.host === host)) {
        return null;
      }
      if (early) early.stop();
      return host;
    },

    // A window built afresh from its markup, hidden. One of that name in the
    // page that could not be taken over gives way to it, and its text boxes'
    // texts and the focus among them go over to the new one.
    build: function(name, markup) {
      var host = Orvanel.element('div', 'window');
      host.id = name;
      host.hidden = true;
      var root = host.attachShadow({mode: 'open'});
      root.innerHTML = markup;
      var stale = document.getElementById(name);
      var early = window.orvanelEarly;
      if (stale && stale.hasAttribute('data-prerendered')) {
        if (early) early.stop();
        var old = stale.shadowRoot;
        if (old) {
          old.querySelectorAll('input[id]').forEach((input) => {
            var box = root.getElementById(input.id);
            if (box && box.value !== input.value) box.value = input.value;
          });
          var focused = old.activeElement && root.getElementById(old.activeElement.id);
          if (focused && (!early || old.activeElement !== early.focused)) host.kept = focused;
        }
        stale.replaceWith(host);
      } else {
        Orvanel.desktop().append(host);
      }
      return host;
    },

    // What the page does with each kind of control, by the name its
    // description gives it: whether it takes the focus, and whether a click
    // on it is the program's.
    kinds: {
      label: {focusable: false, clicked: false},
      textBox: {focusable: true, clicked: false},
      pushButton: {focusable: true, clicked: true},
      frame: {focusable: false, clicked: false},
    },

    // The access key of an element's text, the letter underlined; '' for none.
    accessKey: function(element) {
      var letter = element.querySelector('.access');
      return letter ? letter.textContent.toLowerCase() : '';
    },

    // A control of the window's markup, found by its name, with what the page
    // keeps of it.
    control: function(w, index, c, face) {
      if (!Object.prototype.hasOwnProperty.call(Orvanel.kinds, c.kind)) {
        throw new Error('window "' + w.host.id + '": no control of the kind "' + c.kind + '"');
      }
      var kind = Orvanel.kinds[c.kind];
      var element = w.root.getElementById(c.name);
      if (!element) throw new Error('window "' + w.host.id + '": no control "' + c.name + '"');
      var control = {
        element: element, index: index, tabIndex: c.tabIndex, focusable: kind.focusable,
        key: kind.clicked ? Orvanel.accessKey(element) : '', announced: c.announced,
        label: c.accessibleName,
      };
      if (kind.clicked) {
        Orvanel.listen(element, 'click', () => Orvanel.dispatch(w, 'click', control.index));
      }
      w.families.add(face.family);
      w.controls[index] = control;
    },

    // The menu bar's entries and the menus they open, numbered depth first in
    // the order shown, as the program numbers them.
    menuBar: function(w, entries) {
      var number = 0;
      var walk = (level, parentIndex) => level.forEach((entry) => {
        var index = number++;
        Orvanel.menuEntry(w, index, parentIndex, entry);
        walk(entry.submenu, index);
      });
      walk(entries, -1);
    },

    menuEntry: function(w, index, parentIndex, description) {
      var parentEntry = parentIndex >= 0 ? w.entries[parentIndex] : null;
      var item = w.root.querySelector('[data-entry="' + index + '"]');
      if (!item) throw new Error('window "' + w.host.id + '": no menu entry ' + index);
      var shortcut = /^F([0-9]+)$/.exec(item.getAttribute('aria-keyshortcuts') || '');
      var menu = item.nextElementSibling;
      var entry = {
        number: index, parent: parentIndex, item: item,
        menu: description.submenu.length > 0 ? menu : null, children: [],
        enabled: !!description.enabled, functionKey: shortcut ? Number(shortcut[1]) : 0,
        label: item.querySelector('.text').textContent,
        key: Orvanel.accessKey(item),
      };
      w.entries[index] = entry;
      if (parentEntry) parentEntry.children.push(entry);
      else w.topEntries.push(entry);

      Orvanel.listen(item, 'click', () => {
        if (Orvanel.busy) return;
        if (!parentEntry && entry.menu && !entry.menu.hidden) {
          Orvanel.closeMenus(w, true);
        } else if (!parentEntry) {
          Orvanel.openMenu(w, entry, null);
          item.focus();
        } else {
          Orvanel.choose(w, entry);
        }
      });
      var pointed = (event) => {
        if (Orvanel.busy || event.pointerType === 'touch' || Orvanel.pointerRests(event)) return;
        if (!parentEntry) {
          var open = Orvanel.openTop(w);
          if (open && open !== entry) {
            Orvanel.openMenu(w, entry, null);
            item.focus();
          }
          return;
        }
        item.focus();
        Orvanel.siblings(w, entry).forEach((other) => {
          if (other !== entry) Orvanel.closeMenu(w, other);
        });
        if (entry.menu) Orvanel.openMenu(w, entry, null);
      };
      Orvanel.listen(item, 'pointerenter', pointed);
      Orvanel.listen(item, 'pointermove', (event) => {
        if (Orvanel.resting) pointed(event);
      });
    },
  },

  orvanel_web_start__deps: ['$Orvanel'],
  orvanel_web_start: function(json, length) {
    var start = JSON.parse(Orvanel.text(json, length));
    var unknown = start.controlKinds.filter(
        (kind) => !Object.prototype.hasOwnProperty.call(Orvanel.kinds, kind));
    if (unknown.length) {
      throw new Error('the page cannot build controls of the kinds ' + unknown.join(', '));
    }
    Orvanel.events = start.events;
    document.getElementById('msgbox-title').textContent = start.applicationTitle;
    var style = document.documentElement.style;
    var menuFamily = start.menuFamily;
    var captionFamily = start.captionFace.family;
    Orvanel.pageFamilies = [menuFamily, captionFamily];
    style.setProperty('--menu-font', menuFamily);
    style.setProperty('--caption-font', captionFamily);
    style.setProperty('--caption-weight', start.captionFace.emboldened ? 'bold' : 'normal');
    Orvanel.listen(document, 'keydown', Orvanel.pageKey);
    Orvanel.listen(document, 'pointerdown', Orvanel.pagePointer, {capture: true});
    Orvanel.listen(window, 'resize', Orvanel.fitAll);
  },

  orvanel_web_window__deps: ['$Orvanel'],
  orvanel_web_window: function(number, json, length) {
    var description = JSON.parse(Orvanel.text(json, length));
    var form = description.form;
    var placements = {centreOfScreen: true, windowSystemDefault: false};
    if (!Object.prototype.hasOwnProperty.call(placements, form.placement)) {
      throw new Error('window "' + form.name + '": no placement "' + form.placement + '"');
    }
    var host = Orvanel.adopt(form.name, description.signature);
    var waiting = !!host;
    if (!host) host = Orvanel.build(form.name, description.markup);
    var root = host.shadowRoot;
    var rules = new CSSStyleSheet();
    rules.replaceSync(description.rules);
    root.adoptedStyleSheets = [Orvanel.sheet, rules];
    // The page's copy of the styles, which its policy allows by their hash.
    root.querySelectorAll('style').forEach((style) => style.remove());
    // The menus of the menu bar, which the page's copy comes without.
    root.querySelectorAll('.menubar > .entry > .menu').forEach((menu, i) => {
      menu.innerHTML = description.menus[i];
    });
    var frame = root.querySelector('.frame');
    var titlebar = root.querySelector('.titlebar');
    var client = root.querySelector('.client');
    var closeBox = root.querySelector('.closebox');
    var w = {
      number: number, host: host, root: root, frame: frame, titlebar: titlebar, client: client,
      families: new Set(),
      menubar: root.querySelector('.menubar'), controls: [], entries: [], topEntries: [],
      centred: placements[form.placement],
      placed: false, x: 0, y: 0, scale: 1, lastFocus: null,
      // Taken over from the page: shown already, but not yet by the program.
      waiting: waiting,
      kept: host.kept || null, // where the user had put the focus before
    };
    Orvanel.windows[number] = w;
    Orvanel.listen(closeBox, 'click', () => Orvanel.dispatch(w, 'closeBox', 0));
    Orvanel.listen(titlebar, 'pointerdown', (event) => Orvanel.drag(w, event));
    Orvanel.listen(frame, 'mousedown', (event) => Orvanel.windowPointer(w, event));
    Orvanel.listen(root, 'keydown', (event) => Orvanel.windowKey(w, event));
    Orvanel.listen(root, 'focusin', (event) => {
      var target = event.composedPath()[0];
      if (Orvanel.active !== w) Orvanel.activate(w, target);
      if (w.controls.some((c) => c && c.focusable && c.element === target)) w.lastFocus = target;
    });
    Orvanel.listen(root, 'focusout', (event) => {
      if (!event.relatedTarget || !w.root.contains(event.relatedTarget)) {
        Orvanel.closeMenus(w, false);
      }
    });
    form.controls.forEach((c, index) => Orvanel.control(w, index, c, description.faces[index]));
    Orvanel.menuBar(w, form.menuBar);
  },

  orvanel_web_show__deps: ['$Orvanel'],
  orvanel_web_show: function(number) {
    var w = Orvanel.windows[number];
    var early = window.orvanelEarly;
    // The focus stays where the user put it, if it is in the window: in a
    // window taken over from the page, unless it is where the page put it at
    // the start, in the window that replaced the page's, on its twin.
    var focus = Orvanel.focusInside(w);
    if (w.waiting && early && focus === early.focused) focus = null;
    if (!focus && w.kept && w.kept.isConnected) focus = w.kept;
    if (!focus && w.lastFocus && w.lastFocus.isConnected) focus = w.lastFocus;
    w.waiting = false;
    w.kept = null;
    w.host.hidden = false;
    w.host.removeAttribute('data-prerendered');
    Orvanel.fit(w);
    Orvanel.activate(w, focus);
  },

  orvanel_web_hide__deps: ['$Orvanel'],
  orvanel_web_hide: function(number) {
    var w = Orvanel.windows[number];
    if (w.host.hidden) return;
    Orvanel.closeMenus(w, false);
    w.waiting = false;
    w.host.hidden = true;
    w.host.removeAttribute('data-active');
    Orvanel.fitAll(); // the column of a small page closes up
    if (Orvanel.active === w) {
      Orvanel.active = null;
      Orvanel.activateFront();
    }
  },

  orvanel_web_visible__deps: ['$Orvanel'],
  orvanel_web_visible: function(number) {
    var w = Orvanel.windows[number];
    return w.host.hidden || w.waiting ? 0 : 1;
  },

  orvanel_web_destroy__deps: ['$Orvanel'],
  orvanel_web_destroy: function(number) {
    var w = Orvanel.windows[number];
    if (!w) return;
    w.host.remove();
    if (Orvanel.active === w) Orvanel.active = null;
    Orvanel.windows[number] = null;
  },

  orvanel_web_text__deps: ['$Orvanel', 'malloc'],
  orvanel_web_text: function(number, index, length) {
    var text = Orvanel.windows[number].controls[index].element.value;
    var size = lengthBytesUTF8(text);
    var buffer = _malloc(size + 1);
    stringToUTF8(text, buffer, size + 1);
    HEAPU32[length >> 2] = size;
    return buffer;
  },

  orvanel_web_set_text__deps: ['$Orvanel'],
  orvanel_web_set_text: function(number, index, text, length) {
    var control = Orvanel.windows[number].controls[index];
    var value = Orvanel.text(text, length);
    control.element.value = value;
    if (control.announced) Orvanel.announce(value ? control.label + ' ' + value : '');
  },

  orvanel_web_focus__deps: ['$Orvanel'],
  orvanel_web_focus: function(number, index) {
    var w = Orvanel.windows[number];
    var element = w.controls[index].element;
    w.lastFocus = element;
    if (!w.host.hidden && !w.waiting) Orvanel.activate(w, element);
  },

  orvanel_web_message__deps: ['$Orvanel', '$Asyncify'],
  orvanel_web_message: function(text, length) {
    // A message before the start-up window is shown tells of a failed start:
    // the window the page brought with it goes.
    document.querySelectorAll('#desktop > .window[data-prerendered]').forEach((host) => {
      host.hidden = true;
    });
    return Asyncify.handleSleep((wakeUp) => {
      Orvanel.message(Orvanel.text(text, length), () => wakeUp(0));
    });
  },

  orvanel_web_end__deps: ['$Orvanel'],
  orvanel_web_end: function(failure, length) {
    Orvanel.end(Orvanel.text(failure, length));
  },

  orvanel_web_ready__deps: ['$Orvanel'],
  orvanel_web_ready: function() {
    var faces = [];
    Orvanel.visibleWindows().forEach((w) => faces.push(...Orvanel.faces(w)));
    Promise.all(faces.map((face) => face.loaded)).catch(() => null).then(() => {
      if (Orvanel.ended) return;
      performance.mark('orvanel-ready');
      if (Module['started']) Module['started']();
      Orvanel.replay();
    });
  },
};

mergeInto(LibraryManager.library, LibraryOrvanel);
