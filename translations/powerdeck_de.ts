<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AlarmCellView</name>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete alarm</source>
        <translation>Wecker löschen</translation>
    </message>
    <message>
        <source>Alarm %1</source>
        <translation>Wecker %1</translation>
    </message>
    <message>
        <source>Alarm on</source>
        <translation>Wecker an</translation>
    </message>
</context>
<context>
    <name>AlarmEditor</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>New alarm</source>
        <translation>Neuer Wecker</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Change sound</source>
        <translation>Ton ändern</translation>
    </message>
    <message>
        <source>Vibration</source>
        <translation>Vibration</translation>
    </message>
    <message>
        <source>Vibrate</source>
        <translation>Vibrieren</translation>
    </message>
    <message>
        <source>Remove alarm</source>
        <translation>Wecker entfernen</translation>
    </message>
    <message>
        <source>Delete alarm</source>
        <translation>Wecker löschen</translation>
    </message>
    <message>
        <source>Repeat on</source>
        <translation>Wiederholen am</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Repeat on %1</source>
        <translation>Wiederholen am %1</translation>
    </message>
    <message>
        <source>No sounds installed</source>
        <translation>Keine Töne installiert</translation>
    </message>
</context>
<context>
    <name>AlarmNewViewController</name>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
</context>
<context>
    <name>AlarmWeatherPanel</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Weather</source>
        <translation>Wetter</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Close the place search</source>
        <translation>Ortssuche schließen</translation>
    </message>
    <message>
        <source>Search a place</source>
        <translation>Ort suchen</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Use current location</source>
        <translation>Aktuellen Standort nutzen</translation>
    </message>
    <message>
        <source>Searching…</source>
        <translation>Suche läuft…</translation>
    </message>
    <message>
        <source>Type two letters or more</source>
        <translation>Mindestens zwei Buchstaben eingeben</translation>
    </message>
    <message>
        <source>Forecast</source>
        <translation>Vorhersage</translation>
    </message>
    <message>
        <source>Pick a place for the clock&apos;s forecast</source>
        <translation>Ort für die Vorhersage der Uhr wählen</translation>
    </message>
    <message>
        <source>Units</source>
        <translation>Einheiten</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
    </message>
    <message>
        <source>Celsius</source>
        <translation>Celsius</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>Fahrenheit</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>Person</translation>
    </message>
    <message>
        <source>Man</source>
        <translation>Mann</translation>
    </message>
    <message>
        <source>Woman</source>
        <translation>Frau</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Tempo</translation>
    </message>
    <message>
        <source>km/h</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>mph</source>
        <translation>mph</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>AlarmsBase</name>
    <message>
        <source>Change %1</source>
        <translation>%1 ändern</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Alarms &amp; alerts</source>
        <translation>Wecker &amp; Hinweise</translation>
    </message>
    <message>
        <source>Alarms</source>
        <translation>Wecker</translation>
    </message>
    <message>
        <source>Add alarm</source>
        <translation>Wecker hinzufügen</translation>
    </message>
    <message>
        <source>No alarms</source>
        <translation>Keine Wecker</translation>
    </message>
    <message>
        <source>Tap Add alarm to be woken at a set time</source>
        <translation>Tippen Sie auf „+“, um einen Wecker zu stellen</translation>
    </message>
    <message>
        <source>Battery alerts</source>
        <translation>Akku-Hinweise</translation>
    </message>
    <message>
        <source>Clock &amp; weather</source>
        <translation>Uhr &amp; Wetter</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Not set</source>
        <translation>Nicht festgelegt</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
    </message>
</context>
<context>
    <name>AlertSettings</name>
    <message>
        <source>Celsius</source>
        <translation>Celsius</translation>
    </message>
    <message>
        <source>Fahrenheit</source>
        <translation>Fahrenheit</translation>
    </message>
</context>
<context>
    <name>AlertSettingsSection</name>
    <message>
        <source>Set %1</source>
        <translation>%1 einstellen</translation>
    </message>
    <message>
        <source>Charge complete</source>
        <translation>Vollständig geladen</translation>
    </message>
    <message>
        <source>Notify when the battery is full</source>
        <translation>Melden, wenn der Akku voll ist</translation>
    </message>
    <message>
        <source>Quiet hours</source>
        <translation>Ruhezeit</translation>
    </message>
    <message>
        <source>No battery alerts between these times</source>
        <translation>Keine Akku-Hinweise in dieser Zeit</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>Until</source>
        <translation>Bis</translation>
    </message>
</context>
<context>
    <name>AlertTimePicker</name>
    <message>
        <source>Quiet from</source>
        <translation>Ruhe ab</translation>
    </message>
    <message>
        <source>Quiet until</source>
        <translation>Ruhe bis</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>BatteryGaugeBase</name>
    <message>
        <source>Battery level</source>
        <translation>Akkustand</translation>
    </message>
</context>
<context>
    <name>BottomPanelBase</name>
    <message>
        <source>CHARGE</source>
        <translation>LADUNG</translation>
    </message>
    <message>
        <source>STANDBY TIME LEFT</source>
        <translation>STANDBY-RESTZEIT</translation>
    </message>
    <message>
        <source>Touch a button above for a tip on saving power</source>
        <translation>Tippen Sie oben auf eine Taste für einen Stromspartipp</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Close tip</source>
        <translation>Tipp schließen</translation>
    </message>
</context>
<context>
    <name>BudilinikController</name>
    <message>
        <source>Battery is full</source>
        <translation>Akku ist voll</translation>
    </message>
    <message>
        <source>Need: %1</source>
        <translation>Noch %1</translation>
    </message>
</context>
<context>
    <name>CalendarBase</name>
    <message>
        <source>CHARGE CALENDAR</source>
        <translation>LADEKALENDER</translation>
    </message>
</context>
<context>
    <name>ChangeColorBase</name>
    <message>
        <source>Skin and colour</source>
        <translation>Design und Farbe</translation>
    </message>
    <message>
        <source>Skin: %1</source>
        <translation>Design: %1</translation>
    </message>
    <message>
        <source>Colour %1°</source>
        <translation>Farbe %1°</translation>
    </message>
    <message>
        <source>Colour knob</source>
        <translation>Farbregler</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
</context>
<context>
    <name>ChangeColorController</name>
    <message>
        <source>Classic-battery</source>
        <translation>Klassik-Batterie</translation>
    </message>
    <message>
        <source>Atomic-Battery</source>
        <translation>Atom-Batterie</translation>
    </message>
    <message>
        <source>Hydraulic-power</source>
        <translation>Hydraulik-Kraft</translation>
    </message>
    <message>
        <source>Lab-Battery</source>
        <translation>Labor-Batterie</translation>
    </message>
    <message>
        <source>Nuclear-Station</source>
        <translation>Kernkraftwerk</translation>
    </message>
</context>
<context>
    <name>ChargingBase</name>
    <message>
        <source>CHARGING</source>
        <translation>LADEN</translation>
    </message>
    <message>
        <source>LOW BATTERY ALERT</source>
        <translation>WARNUNG BEI LEEREM AKKU</translation>
    </message>
    <message>
        <source>Low battery alert</source>
        <translation>Warnung bei leerem Akku</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>Schlafen</translation>
    </message>
</context>
<context>
    <name>ChargingPhone</name>
    <message>
        <source>Fast</source>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>Trickle</source>
        <translation>Erhaltung</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Voll</translation>
    </message>
</context>
<context>
    <name>ChargingTablet</name>
    <message>
        <source>Fast</source>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>Trickle</source>
        <translation>Erhaltung</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Voll</translation>
    </message>
</context>
<context>
    <name>ClockBase</name>
    <message>
        <source>Time %1</source>
        <translation>Uhrzeit %1</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Alarm and alert settings</source>
        <translation>Wecker und Hinweise einstellen</translation>
    </message>
</context>
<context>
    <name>CpuBase</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>CPU</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>Processes</source>
        <translation>Prozesse</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Leerlauf</translation>
    </message>
</context>
<context>
    <name>DetailsBase</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Activity times</source>
        <translation>Laufzeiten</translation>
    </message>
</context>
<context>
    <name>DeviceInfoBase</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Device info</source>
        <translation>Geräteinfo</translation>
    </message>
</context>
<context>
    <name>DiskBase</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Disk</source>
        <translation>Datenträger</translation>
    </message>
    <message>
        <source>Free</source>
        <translation>Frei</translation>
    </message>
    <message>
        <source>Used</source>
        <translation>Belegt</translation>
    </message>
</context>
<context>
    <name>HealthBase</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Battery health</source>
        <translation>Akkuzustand</translation>
    </message>
</context>
<context>
    <name>HealthCell</name>
    <message>
        <source>Less</source>
        <translation>Weniger</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Mehr</translation>
    </message>
</context>
<context>
    <name>HealthController</name>
    <message>
        <source>Your device is:</source>
        <translation>Ihr Gerät ist:</translation>
    </message>
    <message>
        <source>How old is your device?</source>
        <translation>Wie alt ist Ihr Gerät?</translation>
    </message>
    <message>
        <source>How long do you use your device for each day?</source>
        <translation>Wie lange nutzen Sie Ihr Gerät am Tag?</translation>
    </message>
    <message>
        <source>What is your tupical screen brightness set to?</source>
        <translation>Wie hell ist Ihr Bildschirm meist eingestellt?</translation>
    </message>
    <message>
        <source>How mach do you recharge your battery per week?</source>
        <translation>Wie oft laden Sie Ihren Akku pro Woche?</translation>
    </message>
    <message>
        <source>This is minimum value!</source>
        <translation>Das ist der kleinste Wert!</translation>
    </message>
    <message>
        <source>This is maximum value!</source>
        <translation>Das ist der größte Wert!</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Measured by the battery</source>
        <translation>Vom Akku gemessen</translation>
    </message>
</context>
<context>
    <name>MainScreenBase</name>
    <message>
        <source>Navigation wheel drawer</source>
        <translation>Schublade des Navigationsrads</translation>
    </message>
</context>
<context>
    <name>MemoryBase</name>
    <message>
        <source>Used</source>
        <translation>Belegt</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Free</source>
        <translation>Frei</translation>
    </message>
    <message>
        <source>Inactive</source>
        <translation>Inaktiv</translation>
    </message>
    <message>
        <source>Purgeable</source>
        <translation>Freigebbar</translation>
    </message>
    <message>
        <source>Cache</source>
        <translation>Cache</translation>
    </message>
    <message>
        <source>Swap</source>
        <translation>Auslagerung</translation>
    </message>
    <message>
        <source>zram</source>
        <translation>zram</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Gesamt</translation>
    </message>
    <message>
        <source>Free memory</source>
        <translation>Speicher freigeben</translation>
    </message>
    <message>
        <source>Freeing…</source>
        <translation>Wird freigegeben…</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
</context>
<context>
    <name>MonitorHeader</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>MusicCellView</name>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
</context>
<context>
    <name>NetworkBase</name>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>Sent %1</source>
        <translation>Gesendet %1</translation>
    </message>
    <message>
        <source>Received %1</source>
        <translation>Empfangen %1</translation>
    </message>
    <message>
        <source>Wi-Fi</source>
        <translation>WLAN</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>Hardware address</source>
        <translation>Hardware-Adresse</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Gesendet</translation>
    </message>
    <message>
        <source>Received</source>
        <translation>Empfangen</translation>
    </message>
    <message>
        <source>Wired</source>
        <translation>Kabelgebunden</translation>
    </message>
    <message>
        <source>Cellular</source>
        <translation>Mobilfunk</translation>
    </message>
</context>
<context>
    <name>PlaceSearch</name>
    <message>
        <source>Location Services Disabled</source>
        <translation>Ortungsdienste ausgeschaltet</translation>
    </message>
    <message>
        <source>You currently have all location services for this device disabled. If you proceed, you will be asked to confirm whether location services should be reenabled.</source>
        <translation>Alle Ortungsdienste dieses Geräts sind ausgeschaltet. Wenn Sie fortfahren, werden Sie gefragt, ob sie wieder eingeschaltet werden sollen.</translation>
    </message>
    <message>
        <source>No selected place...</source>
        <translation>Kein Ort gewählt …</translation>
    </message>
</context>
<context>
    <name>Powerdeck</name>
    <message>
        <source>Stops at %1 %</source>
        <translation>Lädt bis %1 %</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Wecker</translation>
    </message>
    <message>
        <source>Battey is discharging</source>
        <translation>Akku wird entladen</translation>
    </message>
    <message>
        <source>Battey is full</source>
        <translation>Akku ist voll</translation>
    </message>
    <message>
        <source>No battery</source>
        <translation>Kein Akku</translation>
    </message>
    <message>
        <source>Standy mode</source>
        <translation>Standby</translation>
    </message>
    <message>
        <source>Audio Play</source>
        <translation>Musik hören</translation>
    </message>
    <message>
        <source>Watch video</source>
        <translation>Video ansehen</translation>
    </message>
    <message>
        <source>3G/LTE</source>
        <translation>3G/LTE</translation>
    </message>
    <message>
        <source>Wifi</source>
        <translation>WLAN</translation>
    </message>
    <message>
        <source>2D Game</source>
        <translation>2D-Spiel</translation>
    </message>
    <message>
        <source>3D Game</source>
        <translation>3D-Spiel</translation>
    </message>
    <message>
        <source>Video Rec</source>
        <translation>Videoaufnahme</translation>
    </message>
    <message>
        <source>Online Video</source>
        <translation>Online-Video</translation>
    </message>
    <message>
        <source>Dictafon</source>
        <translation>Diktiergerät</translation>
    </message>
    <message>
        <source>GPS</source>
        <translation>GPS</translation>
    </message>
    <message>
        <source>Bluetooth</source>
        <translation>Bluetooth</translation>
    </message>
    <message>
        <source>Book Reading</source>
        <translation>Bücher lesen</translation>
    </message>
    <message>
        <source>WifiHotSpot</source>
        <translation>WLAN-Hotspot</translation>
    </message>
    <message>
        <source>Siri</source>
        <translation>Sprachassistent</translation>
    </message>
    <message>
        <source>Led Ligth</source>
        <translation>Taschenlampe</translation>
    </message>
    <message>
        <source>Face Time</source>
        <translation>Videoanruf</translation>
    </message>
    <message>
        <source>Take Photo</source>
        <translation>Fotografieren</translation>
    </message>
    <message>
        <source>%1 % of design</source>
        <translation>%1 % der Nennkapazität</translation>
    </message>
    <message>
        <source>Full capacity</source>
        <translation>Volle Kapazität</translation>
    </message>
    <message>
        <source>Charge cycles</source>
        <translation>Ladezyklen</translation>
    </message>
    <message>
        <source>Technology</source>
        <translation>Technologie</translation>
    </message>
    <message>
        <source>Manufacturer</source>
        <translation>Hersteller</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Taktfrequenz</translation>
    </message>
    <message>
        <source>CPU</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Abmessungen</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>Gewicht</translation>
    </message>
    <message>
        <source>Screen Size</source>
        <translation>Bildschirmgröße</translation>
    </message>
    <message>
        <source>Screen Resolution</source>
        <translation>Auflösung</translation>
    </message>
    <message>
        <source>Pixel density</source>
        <translation>Pixeldichte</translation>
    </message>
    <message>
        <source>Battery voltage</source>
        <translation>Akkuspannung</translation>
    </message>
    <message>
        <source>Battery capacity</source>
        <translation>Akkukapazität</translation>
    </message>
    <message>
        <source>Wi-Fi</source>
        <translation>WLAN</translation>
    </message>
    <message>
        <source>Rear camera</source>
        <translation>Rückkamera</translation>
    </message>
    <message>
        <source>Front camera</source>
        <translation>Frontkamera</translation>
    </message>
    <message>
        <source>Three-axis gyroscope</source>
        <translation>Dreiachsen-Gyroskop</translation>
    </message>
    <message>
        <source>Orientation sensor</source>
        <translation>Lagesensor</translation>
    </message>
    <message>
        <source>Distance sensor</source>
        <translation>Abstandssensor</translation>
    </message>
    <message>
        <source>Ambient light sensor</source>
        <translation>Helligkeitssensor</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>angehalten</translation>
    </message>
    <message>
        <source>available memory reached the floor</source>
        <translation>freier Speicher an der Untergrenze</translation>
    </message>
    <message>
        <source>took all it meant to take</source>
        <translation>alles Geplante belegt</translation>
    </message>
    <message>
        <source>cgroup headroom reached the floor</source>
        <translation>cgroup-Reserve an der Untergrenze</translation>
    </message>
    <message>
        <source>memory pressure</source>
        <translation>Speicherdruck</translation>
    </message>
    <message>
        <source>time limit</source>
        <translation>Zeitlimit</translation>
    </message>
    <message>
        <source>missing picture</source>
        <translation>Bild fehlt</translation>
    </message>
    <message>
        <source>no memory figures</source>
        <translation>keine Speicherwerte</translation>
    </message>
    <message>
        <source>mmap failed</source>
        <translation>mmap fehlgeschlagen</translation>
    </message>
    <message>
        <source>Held at %1 %</source>
        <translation>Gehalten bei %1 %</translation>
    </message>
    <message>
        <source>Calculating…</source>
        <translation>Wird berechnet …</translation>
    </message>
    <message>
        <source>Drawing %1 W</source>
        <translation>Verbrauch %1 W</translation>
    </message>
    <message>
        <source>Charging at %1 W</source>
        <translation>Lädt mit %1 W</translation>
    </message>
</context>
<context>
    <name>SettingsBase</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Device info</source>
        <translation>Geräteinfo</translation>
    </message>
    <message>
        <source>Battery health</source>
        <translation>Akkuzustand</translation>
    </message>
    <message>
        <source>Alerts</source>
        <translation>Hinweise</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Aussehen</translation>
    </message>
    <message>
        <source>Higher precision</source>
        <translation>Höhere Genauigkeit</translation>
    </message>
    <message>
        <source>Reduce motion</source>
        <translation>Bewegung reduzieren</translation>
    </message>
</context>
<context>
    <name>SettingsViewController</name>
    <message>
        <source>Always</source>
        <translation>Immer</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
</context>
<context>
    <name>SysMonitorBase</name>
    <message>
        <source>CPU</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <source>Disk</source>
        <translation>Datenträger</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>CPU %1</source>
        <translation>CPU %1</translation>
    </message>
</context>
<context>
    <name>TipsBase</name>
    <message>
        <source>Battery tips</source>
        <translation>Akku-Tipps</translation>
    </message>
    <message>
        <source>Previous tip</source>
        <translation>Voriger Tipp</translation>
    </message>
    <message>
        <source>Next tip</source>
        <translation>Nächster Tipp</translation>
    </message>
</context>
<context>
    <name>ViewController</name>
    <message>
        <source>Tips</source>
        <translation>Tipps</translation>
    </message>
    <message>
        <source>Charge calendar</source>
        <translation>Ladekalender</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>Akku</translation>
    </message>
    <message>
        <source>Charging</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>System monitor</source>
        <translation>Systemmonitor</translation>
    </message>
</context>
<context>
    <name>WeatherViewController</name>
    <message>
        <source>Turn of airplane mode or check your connection </source>
        <translation>Schalten Sie den Flugmodus aus oder prüfen Sie die Verbindung</translation>
    </message>
    <message>
        <source>No results found </source>
        <translation>Keine Ergebnisse</translation>
    </message>
    <message>
        <source>Type the City ,State or ZIP Code</source>
        <translation>Stadt, Region oder Postleitzahl eingeben</translation>
    </message>
    <message>
        <source>No weather key</source>
        <translation>Kein Wetterschlüssel</translation>
    </message>
    <message>
        <source>The keyed weather feed is chosen, but its key or address is not set. Enter them as weatherKey and weatherEndpoint in the user defaults, or remove weatherSource to use the keyless forecast.</source>
        <translation>Der Wetterdienst mit Schlüssel ist gewählt, aber sein Schlüssel oder seine Adresse fehlt. Tragen Sie sie als weatherKey und weatherEndpoint in den Benutzereinstellungen ein, oder entfernen Sie weatherSource, um die Vorhersage ohne Schlüssel zu nutzen.</translation>
    </message>
    <message>
        <source>Weather data by Open-Meteo.com (CC BY 4.0). Places: GeoNames (CC BY 4.0) and © OpenStreetMap contributors (ODbL).</source>
        <translation>Wetterdaten von Open-Meteo.com (CC BY 4.0). Orte: GeoNames (CC BY 4.0) und © OpenStreetMap-Mitwirkende (ODbL).</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>WheelBase</name>
    <message>
        <source>Navigation wheel</source>
        <translation>Navigationsrad</translation>
    </message>
    <message>
        <source>System monitor</source>
        <translation>Systemmonitor</translation>
    </message>
</context>
<context>
    <name>WhellController</name>
    <message>
        <source>Device is full</source>
        <translation>Gerät ist voll geladen</translation>
    </message>
    <message>
        <source>deconect please </source>
        <translation>Bitte vom Ladegerät trennen</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>deviceProprietes</name>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
</context>
<context>
    <name>netWorkViewController</name>
    <message>
        <source>N/A</source>
        <translation>k. A.</translation>
    </message>
</context>
<context>
    <name>ramViewController</name>
    <message>
        <source>%1 MB freed (%2)</source>
        <translation>%1 MB freigegeben (%2)</translation>
    </message>
</context>
</TS>
