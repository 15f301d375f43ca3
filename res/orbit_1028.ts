<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="301">
        <source>Open Orbit</source>
        <translation>開啟 Orbit</translation>
    </message>
    <message id="302">
        <source>Remote Monitor</source>
        <translation>遠端監控</translation>
    </message>
    <message id="303">
        <source>Open</source>
        <translation>開啟</translation>
    </message>
    <message id="304">
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message id="305">
        <source>Setting</source>
        <translation>設定</translation>
    </message>
    <message id="306">
        <source>Sound Settings</source>
        <translation>音效設定</translation>
    </message>
    <message id="307">
        <source>Language</source>
        <translation>語言</translation>
    </message>
    <message id="308">
        <source>English</source>
        <extracomment>Language names are written in their own language in every table.</extracomment>
        <translation>English</translation>
    </message>
    <message id="309">
        <source>繁體中文</source>
        <extracomment>Language names are written in their own language in every table.</extracomment>
        <translation>繁體中文</translation>
    </message>
    <message id="310">
        <source>简体中文</source>
        <extracomment>Language names are written in their own language in every table.</extracomment>
        <translation>简体中文</translation>
    </message>
    <message id="311">
        <source>About</source>
        <translation>關於</translation>
    </message>
    <message id="312">
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message id="313">
        <source>Orbit Connected</source>
        <extracomment>Tray tooltip; the balloon shows it without its first &quot;Orbit &quot;.</extracomment>
        <translation>Orbit 已連線</translation>
    </message>
    <message id="314">
        <source>Orbit Disconnected</source>
        <extracomment>Tray tooltip; the balloon shows it without its first &quot;Orbit &quot;.</extracomment>
        <translation>Orbit 已中斷連線</translation>
    </message>
    <message id="315">
        <source>Orbit Monitor</source>
        <extracomment>Tray tooltip; the balloon shows it without its first &quot;Orbit &quot;.</extracomment>
        <translation>Orbit 監控中</translation>
    </message>
    <message id="316">
        <source>Orbit Monitor but Skype Offline</source>
        <extracomment>Tray tooltip; the balloon shows it without its first &quot;Orbit &quot;.</extracomment>
        <translation>Orbit 監控中，但 Skype 離線</translation>
    </message>
    <message id="317">
        <source>Preview Window</source>
        <translation>預覽視窗</translation>
    </message>
    <message id="318">
        <source>From</source>
        <translation>來自</translation>
    </message>
    <message id="319">
        <source>To</source>
        <translation>傳送至</translation>
    </message>
    <message id="320">
        <source>Send To</source>
        <translation>傳送給</translation>
    </message>
    <message id="321">
        <source>Mirror</source>
        <translation>鏡像</translation>
    </message>
    <message id="322">
        <source>Select A Friend</source>
        <translation>選擇好友</translation>
    </message>
    <message id="323">
        <source>Take Photo</source>
        <translation>拍照</translation>
    </message>
    <message id="324">
        <source>Send Photo</source>
        <translation>傳送相片</translation>
    </message>
    <message id="325">
        <source>View Photo</source>
        <translation>檢視相片</translation>
    </message>
    <message id="326">
        <source>Open Folder</source>
        <translation>開啟資料夾</translation>
    </message>
    <message id="327">
        <source>Setting</source>
        <translation>設定</translation>
    </message>
    <message id="328">
        <source>Send Software</source>
        <translation>傳送軟體</translation>
    </message>
    <message id="329">
        <source>Preview Window Size</source>
        <translation>預覽視窗大小</translation>
    </message>
    <message id="330">
        <source>Send Photo</source>
        <translation>傳送相片</translation>
    </message>
    <message id="331">
        <source>Save As</source>
        <translation>另存新檔</translation>
    </message>
    <message id="332">
        <source>Rename</source>
        <translation>重新命名</translation>
    </message>
    <message id="333">
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message id="334">
        <source>Content</source>
        <translation>內容</translation>
    </message>
    <message id="335">
        <source>Status</source>
        <translation>狀態</translation>
    </message>
    <message id="336">
        <source>Progress</source>
        <translation>進度</translation>
    </message>
    <message id="337">
        <source>Photo Name</source>
        <translation>相片名稱</translation>
    </message>
    <message id="338">
        <source>From/To</source>
        <translation>來自/傳送至</translation>
    </message>
    <message id="339">
        <source>Resolution</source>
        <translation>解析度</translation>
    </message>
    <message id="340">
        <source>Size</source>
        <translation>大小</translation>
    </message>
    <message id="341">
        <source>Connecting...</source>
        <translation>連線中...</translation>
    </message>
    <message id="342">
        <source>Finish</source>
        <translation>完成</translation>
    </message>
    <message id="343">
        <source>Connect fail</source>
        <translation>連線失敗</translation>
    </message>
    <message id="344">
        <source>Overtime</source>
        <translation>逾時</translation>
    </message>
    <message id="345">
        <source>Rejected</source>
        <translation>已拒絕</translation>
    </message>
    <message id="346">
        <source>Canceled</source>
        <translation>已取消</translation>
    </message>
    <message id="347">
        <source>?</source>
        <translation>?</translation>
    </message>
    <message id="348">
        <source>?</source>
        <translation>?</translation>
    </message>
    <message id="349">
        <source>?</source>
        <translation>?</translation>
    </message>
    <message id="350">
        <source>Orbit device has been detected but video source is occupied by another application. Please close other video application and restart the software.</source>
        <translation>已偵測到 Orbit 裝置，但視訊來源正被其他應用程式使用。請關閉其他視訊應用程式，然後重新啟動本軟體。</translation>
    </message>
    <message id="351">
        <source>Can not find Orbit device. Please plug in the Orbit device and make sure the power switch has been set as &quot;On.&quot; Restart Orbit Software.</source>
        <translation>找不到 Orbit 裝置。請插上 Orbit 裝置，並確認電源開關已切換至「On」，然後重新啟動 Orbit 軟體。</translation>
    </message>
    <message id="352">
        <source>Getting Contact List</source>
        <translation>正在取得聯絡人清單</translation>
    </message>
    <message id="353">
        <source>Rename</source>
        <translation>重新命名</translation>
    </message>
    <message id="354">
        <source>! Your requested file name existed. Please use other name.</source>
        <translation>! 您指定的檔案名稱已存在，請使用其他名稱。</translation>
    </message>
    <message id="355">
        <source>Photo Name</source>
        <translation>相片名稱</translation>
    </message>
    <message id="356">
        <source>General Setting</source>
        <translation>一般設定</translation>
    </message>
    <message id="357">
        <source>Select Device</source>
        <translation>選擇裝置</translation>
    </message>
    <message id="358">
        <source>Video Device:</source>
        <translation>視訊裝置：</translation>
    </message>
    <message id="359">
        <source>Take Photo Mode</source>
        <translation>拍照模式</translation>
    </message>
    <message id="360">
        <source>Direct</source>
        <translation>立即拍照</translation>
    </message>
    <message id="361">
        <source>After 5 Second</source>
        <translation>5 秒後拍照</translation>
    </message>
    <message id="362">
        <source>File Name</source>
        <translation>檔案名稱</translation>
    </message>
    <message id="363">
        <source>Date +  Serial number</source>
        <translation>日期 + 序號</translation>
    </message>
    <message id="364">
        <source>Customize</source>
        <translation>自訂</translation>
    </message>
    <message id="365">
        <source>File Location</source>
        <translation>檔案位置</translation>
    </message>
    <message id="366">
        <source>Change</source>
        <translation>變更</translation>
    </message>
    <message id="367">
        <source>Capture Resolution</source>
        <translation>擷取解析度</translation>
    </message>
    <message id="368">
        <source>Capture Frame Rate</source>
        <translation>擷取影格速率</translation>
    </message>
    <message id="369">
        <source>Frame/Second</source>
        <translation>影格/秒</translation>
    </message>
    <message id="370">
        <source>(Default)</source>
        <translation>(預設)</translation>
    </message>
    <message id="371">
        <source>Remote Monitor</source>
        <translation>遠端監控</translation>
    </message>
    <message id="372">
        <source>*Start Automatic answering Skype incoming calls and remote control function. User can make Skype calls from other computers and type password for remote monitor function. The Skype incoming calls would be automatically answered and Skype video would be activated later.</source>
        <translation>*啟動自動接聽 Skype 來電及遠端控制功能。使用者可從其他電腦撥打 Skype 電話，並輸入密碼使用遠端監控功能。Skype 來電將會自動接聽，隨後啟動 Skype 視訊。</translation>
    </message>
    <message id="373">
        <source>Enable automatic answering Skype incoming calls function and start Skype video</source>
        <translation>啟用自動接聽 Skype 來電功能並啟動 Skype 視訊</translation>
    </message>
    <message id="374">
        <source>Type Password</source>
        <translation>輸入密碼</translation>
    </message>
    <message id="375">
        <source>Re-type Password</source>
        <translation>再次輸入密碼</translation>
    </message>
    <message id="376">
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message id="377">
        <source>Change</source>
        <translation>變更</translation>
    </message>
    <message id="378">
        <source>Please type and confirm Password</source>
        <translation>請輸入並確認密碼</translation>
    </message>
    <message id="379">
        <source>Password has been saved. Press &quot;Change&quot; button to change password.</source>
        <translation>密碼已儲存。若要變更密碼，請按「變更」按鈕。</translation>
    </message>
    <message id="380">
        <source>Remote monitor function has been started. All Skype incoming calls would be automatically answered and Skype video would be started after verifying password.</source>
        <translation>遠端監控功能已啟動。所有 Skype 來電將會自動接聽，並在密碼驗證通過後啟動 Skype 視訊。</translation>
    </message>
    <message id="381">
        <source>! Can not start remote monitor function. Please plug in Orbit device.</source>
        <translation>! 無法啟動遠端監控功能。請插上 Orbit 裝置。</translation>
    </message>
    <message id="382">
        <source>Fail to set password. Please type and re-type password for activating remote monitor function.</source>
        <translation>密碼設定失敗。請輸入密碼並再次輸入確認，以啟用遠端監控功能。</translation>
    </message>
    <message id="383">
        <source>Your password is not correct.</source>
        <translation>您的密碼不正確。</translation>
    </message>
    <message id="384">
        <source>Image Control</source>
        <translation>影像控制</translation>
    </message>
    <message id="385">
        <source>Image Mirror</source>
        <translation>影像鏡像</translation>
    </message>
    <message id="386">
        <source>Image Flip</source>
        <translation>影像翻轉</translation>
    </message>
    <message id="387">
        <source>Low Light</source>
        <translation>低光源</translation>
    </message>
    <message id="388">
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message id="389">
        <source>Contrast</source>
        <translation>對比</translation>
    </message>
    <message id="390">
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message id="391">
        <source>Hue</source>
        <translation>色調</translation>
    </message>
    <message id="392">
        <source>Saturation</source>
        <translation>飽和度</translation>
    </message>
    <message id="393">
        <source>Sharpness</source>
        <translation>銳利度</translation>
    </message>
    <message id="394">
        <source>VGA SnapSize</source>
        <translation>VGA 快照尺寸</translation>
    </message>
    <message id="395">
        <source>Auto Mode Control</source>
        <translation>自動模式控制</translation>
    </message>
    <message id="396">
        <source>AUTO</source>
        <translation>自動</translation>
    </message>
    <message id="397">
        <source>USB Bandwidth</source>
        <translation>USB 頻寬</translation>
    </message>
    <message id="398">
        <source>Exposure</source>
        <translation>曝光</translation>
    </message>
    <message id="399">
        <source>WhiteBalance</source>
        <translation>白平衡</translation>
    </message>
    <message id="400">
        <source>Red</source>
        <translation>紅</translation>
    </message>
    <message id="401">
        <source>Blue</source>
        <translation>藍</translation>
    </message>
    <message id="402">
        <source>Green</source>
        <translation>綠</translation>
    </message>
    <message id="403">
        <source>Default</source>
        <translation>預設值</translation>
    </message>
    <message id="404">
        <source>Reset</source>
        <translation>重設</translation>
    </message>
    <message id="405">
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message id="406">
        <source>Restore</source>
        <translation>還原</translation>
    </message>
    <message id="407">
        <source>In/Out Door</source>
        <translation>室內/室外</translation>
    </message>
    <message id="408">
        <source>Outdoor</source>
        <translation>室外</translation>
    </message>
    <message id="409">
        <source>Indoor</source>
        <translation>室內</translation>
    </message>
    <message id="410">
        <source>Flicker</source>
        <translation>閃爍</translation>
    </message>
    <message id="411">
        <source>50 Hz</source>
        <translation>50 Hz</translation>
    </message>
    <message id="412">
        <source>60 Hz</source>
        <translation>60 Hz</translation>
    </message>
    <message id="413">
        <source>Extra Control</source>
        <translation>額外控制</translation>
    </message>
    <message id="414">
        <source>Backlight Comp.</source>
        <translation>背光補償</translation>
    </message>
    <message id="415">
        <source>B/W Mode</source>
        <translation>黑白模式</translation>
    </message>
    <message id="416">
        <source>Effect</source>
        <translation>特效</translation>
    </message>
    <message id="417">
        <source>No effect &amp;&amp; frame</source>
        <extracomment>A doubled ampersand shows as one.</extracomment>
        <translation>無特效及外框</translation>
    </message>
    <message id="418">
        <source>Auto Change</source>
        <translation>自動變換</translation>
    </message>
    <message id="419">
        <source>Effect</source>
        <translation>特效</translation>
    </message>
    <message id="420">
        <source>Aged Photo</source>
        <translation>懷舊相片</translation>
    </message>
    <message id="421">
        <source>Canvas</source>
        <translation>畫布</translation>
    </message>
    <message id="422">
        <source>Emboss</source>
        <translation>浮雕</translation>
    </message>
    <message id="423">
        <source>Neon Light</source>
        <translation>霓虹燈</translation>
    </message>
    <message id="424">
        <source>Invert</source>
        <translation>負片</translation>
    </message>
    <message id="425">
        <source>Motion</source>
        <translation>動感</translation>
    </message>
    <message id="426">
        <source>Spread</source>
        <translation>擴散</translation>
    </message>
    <message id="427">
        <source>Shear</source>
        <translation>斜切</translation>
    </message>
    <message id="428">
        <source>Monitor</source>
        <translation>監視器</translation>
    </message>
    <message id="429">
        <source>Ellipse</source>
        <translation>橢圓</translation>
    </message>
    <message id="430">
        <source>Alien Map</source>
        <translation>異色映射</translation>
    </message>
    <message id="431">
        <source>Glass Tile</source>
        <translation>玻璃磚</translation>
    </message>
    <message id="432">
        <source>Wind</source>
        <translation>風吹</translation>
    </message>
    <message id="433">
        <source>Magic Mirror</source>
        <translation>魔鏡</translation>
    </message>
    <message id="434">
        <source>Mosaic</source>
        <translation>馬賽克</translation>
    </message>
    <message id="435">
        <source>TV Effect</source>
        <translation>電視效果</translation>
    </message>
    <message id="436">
        <source>Water Color</source>
        <translation>水彩</translation>
    </message>
    <message id="437">
        <source>Frame</source>
        <translation>外框</translation>
    </message>
    <message id="438">
        <source>Post Card</source>
        <translation>明信片</translation>
    </message>
    <message id="439">
        <source>Flower</source>
        <translation>花朵</translation>
    </message>
    <message id="440">
        <source>Jungle</source>
        <translation>叢林</translation>
    </message>
    <message id="441">
        <source>Television</source>
        <translation>電視</translation>
    </message>
    <message id="442">
        <source>Magazine</source>
        <translation>雜誌</translation>
    </message>
    <message id="443">
        <source>Computer</source>
        <translation>電腦</translation>
    </message>
    <message id="444">
        <source>Aim</source>
        <translation>瞄準</translation>
    </message>
    <message id="445">
        <source>Paper</source>
        <translation>紙張</translation>
    </message>
    <message id="446">
        <source>Snow</source>
        <translation>雪花</translation>
    </message>
    <message id="447">
        <source>Magnifier</source>
        <translation>放大鏡</translation>
    </message>
    <message id="448">
        <source>About</source>
        <translation>關於</translation>
    </message>
    <message id="449">
        <source>https://orbit.ostrel.example/</source>
        <extracomment>The maker's web site: the About page's link text and target.</extracomment>
        <translation>https://orbit.ostrel.example/</translation>
    </message>
    <message id="450">
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message id="451">
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message id="452">
        <source>Apply</source>
        <translation>套用</translation>
    </message>
    <message id="453">
        <source>Orbit is Starting Up...</source>
        <translation>Orbit 正在啟動...</translation>
    </message>
    <message id="454">
        <source>The selected picture has been deleted. It can not be viewed and transferred.</source>
        <translation>選取的相片已被刪除，無法檢視或傳送。</translation>
    </message>
    <message id="455">
        <source>Delete the event?</source>
        <translation>要刪除此事件嗎？</translation>
    </message>
    <message id="456">
        <source>Delete the picture?</source>
        <translation>要刪除此相片嗎？</translation>
    </message>
    <message id="457">
        <source>Delete selected events and pictures?</source>
        <translation>要刪除選取的事件及相片嗎？</translation>
    </message>
    <message id="458">
        <source>Please enter password.</source>
        <translation>請輸入密碼。</translation>
    </message>
    <message id="459">
        <source>Password is correct. Please wait.</source>
        <translation>密碼正確，請稍候。</translation>
    </message>
    <message id="460">
        <source>Invalid password. Please try again.</source>
        <translation>密碼錯誤，請再試一次。</translation>
    </message>
    <message id="461">
        <source>Too many failed attempts, wait later to retry.</source>
        <translation>嘗試失敗次數過多，請稍後再試。</translation>
    </message>
    <message id="462">
        <source>Please select a contact before transferring.</source>
        <translation>傳送前請先選擇聯絡人。</translation>
    </message>
    <message id="463">
        <source>Please check Skype online.</source>
        <translation>請確認 Skype 已上線。</translation>
    </message>
    <message id="464">
        <source>The function is applied to images except 800x 600 dpi.</source>
        <translation>此功能不適用於 800x600 的影像。</translation>
    </message>
    <message id="465">
        <source>Check Skype log in and Orbit is allowed to access to Skype.</source>
        <translation>請確認已登入 Skype，且已允許 Orbit 存取 Skype。</translation>
    </message>
    <message id="466">
        <source>Fail to send &quot;</source>
        <extracomment>Message = 466 + file name + 467 + contact + 468, joined without separators.</extracomment>
        <translation>無法將「</translation>
    </message>
    <message id="467">
        <source>&quot; files to &quot;</source>
        <extracomment>Message = 466 + file name + 467 + contact + 468, joined without separators.</extracomment>
        <translation>」傳送給「</translation>
    </message>
    <message id="468">
        <source>&quot; because the receiver may not have Orbit software. Please press the button &quot;Sending Software&quot; to the receiver for installation.</source>
        <extracomment>Message = 466 + file name + 467 + contact + 468, joined without separators.</extracomment>
        <translation>」，因為對方可能沒有安裝 Orbit 軟體。請按「傳送軟體」按鈕，將軟體傳送給對方安裝。</translation>
    </message>
    <message id="469">
        <source>&quot;Are you sure to close resident Orbit? It would cause dysfunction of sending pictures and remote monitor.&quot;</source>
        <translation>「確定要關閉常駐的 Orbit 嗎？關閉後將無法傳送相片，遠端監控也會停止運作。」</translation>
    </message>
    <message id="470">
        <source>Intro.</source>
        <translation>說明</translation>
    </message>
    <message id="471">
        <source>eng</source>
        <extracomment>Folder of the help pages: &quot;eng&quot; or &quot;cht&quot; (there are no Korean help pages).</extracomment>
        <translation>cht</translation>
    </message>
    <message id="472">
        <source>The picture could not be saved there. Please choose another folder or name.</source>
        <translation>無法將相片儲存到該位置，請選擇其他資料夾或名稱。</translation>
    </message>
    <message id="473">
        <source>The picture could not be renamed. The name may already be in use, or the folder may not allow changes.</source>
        <translation>無法重新命名相片。此名稱可能已被使用，或該資料夾不允許變更。</translation>
    </message>
    <message id="474">
        <source>The help page could not be found. Please reinstall Orbit.</source>
        <translation>找不到說明頁面，請重新安裝 Orbit。</translation>
    </message>
    <message id="475">
        <source>Orbit could not save its photo list or settings. Please check that the disk has free space and that the folder can be written to.</source>
        <translation>Orbit 無法儲存相片清單或設定，請確認磁碟仍有可用空間，且資料夾可以寫入。</translation>
    </message>
    <message id="476">
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message id="477">
        <source>No</source>
        <translation>否</translation>
    </message>
    <message id="480">
        <source>한국어</source>
        <extracomment>Language names are written in their own language in every table.</extracomment>
        <translation>한국어</translation>
    </message>
    <message id="481">
        <source>No sound settings program was found.</source>
        <extracomment>Shown when the desktop offers no program for the sound input settings.</extracomment>
        <translation>找不到音效設定程式。</translation>
    </message>
    <message id="482">
        <source>Select Path</source>
        <extracomment>Title of the folder chooser of the General settings page.</extracomment>
        <translation>選擇路徑</translation>
    </message>
    <message id="483">
        <source>Full Screen</source>
        <extracomment>Last entry of the preview size menu: the live picture alone on a whole screen.</extracomment>
        <translation>全螢幕</translation>
    </message>
    <message id="484">
        <source>Frozen</source>
        <extracomment>Mark in a corner of the full-screen picture while it is held still.</extracomment>
        <translation>已凍結</translation>
    </message>
    <message id="485">
        <source>Keys</source>
        <extracomment>Title of the list of keys over the full-screen picture (F1).</extracomment>
        <translation>按鍵</translation>
    </message>
    <message id="486">
        <source>Wheel, + or -: zoom into the point under the pointer</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>滾輪、+ 或 -：以指標所在處為中心放大縮小</translation>
    </message>
    <message id="487">
        <source>Drag: move the enlarged picture</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>拖曳：移動放大的畫面</translation>
    </message>
    <message id="488">
        <source>0 or middle click: the whole picture</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>0 或按滑鼠中鍵：顯示整個畫面</translation>
    </message>
    <message id="489">
        <source>Space: hold the picture still, or go live again</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>空白鍵：凍結畫面，或恢復即時影像</translation>
    </message>
    <message id="490">
        <source>R or Shift+R: turn right or left</source>
        <extracomment>Line of the full-screen key list; the picture turns by a quarter.</extracomment>
        <translation>R 或 Shift+R：向右或向左旋轉</translation>
    </message>
    <message id="491">
        <source>Enter: take a photo</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>Enter：拍照</translation>
    </message>
    <message id="492">
        <source>S: show on the next screen</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>S：移到下一個螢幕</translation>
    </message>
    <message id="493">
        <source>Esc, F11 or double-click: back to the window</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>Esc、F11 或按兩下：回到視窗</translation>
    </message>
    <message id="494">
        <source>F1 or ?: show or hide these keys</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>F1 或 ?：顯示或隱藏按鍵說明</translation>
    </message>
    <message id="495">
        <source>Share as a camera for other programs</source>
        <extracomment>Check box of the General settings page: other programs (browsers, call programs) can pick the camera's picture.</extracomment>
        <translation>分享為其他程式的攝影機</translation>
    </message>
    <message id="496">
        <source>PipeWire is not running in this session, and there is no loopback camera.</source>
        <extracomment>Under the sharing check box when it cannot be used.</extracomment>
        <translation>此工作階段未執行 PipeWire，也沒有迴路攝影機。</translation>
    </message>
    <message id="497">
        <source>The camera is in use by a call.</source>
        <extracomment>Shown to other programs in place of the picture while a Skype call holds the camera.</extracomment>
        <translation>攝影機正由通話使用中。</translation>
    </message>
    <message id="498">
        <source>No camera is connected.</source>
        <extracomment>Shown to other programs in place of the picture while no camera is plugged in.</extracomment>
        <translation>未連接攝影機。</translation>
    </message>
    <message id="499">
        <source>Camera shared with other programs</source>
        <extracomment>Second line of the tray icon's tooltip while the camera is shared.</extracomment>
        <translation>攝影機已分享給其他程式</translation>
    </message>
    <message id="500">
        <source>Minimize</source>
        <extracomment>Title bar button: puts the dialog away into the taskbar; read by screen readers and shown as its tooltip.</extracomment>
        <translation>最小化</translation>
    </message>
    <message id="501">
        <source>Close</source>
        <extracomment>Title bar button: closes the dialog (Orbit goes on in the tray).</extracomment>
        <translation>關閉</translation>
    </message>
    <message id="502">
        <source>Reset Zoom</source>
        <extracomment>The 1:1 button beside the zoom slider.</extracomment>
        <translation>重設縮放</translation>
    </message>
    <message id="503">
        <source>Zoom</source>
        <extracomment>Name of the zoom slider and the zoom field, for screen readers.</extracomment>
        <translation>縮放</translation>
    </message>
    <message id="504">
        <source>Show List</source>
        <extracomment>The button that shows the photo list again.</extracomment>
        <translation>顯示清單</translation>
    </message>
    <message id="505">
        <source>Hide List</source>
        <extracomment>The button that hides the photo list.</extracomment>
        <translation>隱藏清單</translation>
    </message>
    <message id="506">
        <source>Photo List</source>
        <extracomment>Name of the list of photos, for screen readers.</extracomment>
        <translation>相片清單</translation>
    </message>
    <message id="507">
        <source>Sends the selected photo to %1.</source>
        <extracomment>Description of Send Photo for screen readers; %1 is the friend chosen under Send To.</extracomment>
        <translation>將選取的相片傳送給 %1。</translation>
    </message>
    <message id="508">
        <source>Choose a friend under Send To first.</source>
        <extracomment>Description of Send Photo while no friend is chosen.</extracomment>
        <translation>請先在「傳送給」選擇好友。</translation>
    </message>
    <message id="509">
        <source>Succeeded</source>
        <extracomment>What the green check in a row's Status column says to a screen reader.</extracomment>
        <translation>成功</translation>
    </message>
    <message id="510">
        <source>Not completed</source>
        <extracomment>What the red cross in a row's Status column says to a screen reader: the transfer failed or was cancelled.</extracomment>
        <translation>未完成</translation>
    </message>
    <message id="511">
        <source>Double-click or press F11 for the full-screen view.</source>
        <extracomment>Description of the preview for screen readers and its tooltip.</extracomment>
        <translation>按兩下或按 F11 以全螢幕檢視。</translation>
    </message>
    <message id="512">
        <source>Custom file name</source>
        <extracomment>Name of the file name field of the General settings page, for screen readers.</extracomment>
        <translation>自訂檔名</translation>
    </message>
    <message id="513">
        <source>Press Esc to cancel the transfer.</source>
        <extracomment>Description of a row's Cancel button for screen readers.</extracomment>
        <translation>按 Esc 取消傳送。</translation>
    </message>
</context>
</TS>
